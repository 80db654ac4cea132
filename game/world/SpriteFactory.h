// CreateSprite: the sprite factory behind Playfield::CreateSprite. It makes a
// sprite of the descriptor's kind and size, showing frames of that kind's strip.
#pragma once

#include <cstdint>

class Playfield;
class Sprite;
struct SpriteDesc;

// Variants of the "tiles" kind.
enum TileVariant : int32_t { kTileGround = 0, kTileVegetation = 1, kTilePlatform = 2 };

// "fire" SpriteFire, "money" SpriteMonete; "tiles" SpriteTilesTerreno,
// SpriteTilesVegetazione or (half as tall) SpriteTilesPedana by variant;
// "player" SpritePlayer, "ape" SpriteApe, "ufo" SpriteUfo. Any other kind,
// or a tiles variant outside 0..2: null. The caller owns the sprite.
Sprite* CreateSprite(Playfield* owner, const SpriteDesc& desc, int32_t variant, int32_t id);
