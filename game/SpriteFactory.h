// CreateSprite: the sprite factory behind FormMain::CreateSprite. It makes a
// sprite of the descriptor's kind and size, drawing from the given strip
// (the loaded picture of that kind, which FormMain holds).
#pragma once

#include <X11/Xlib.h>
#include <cstdint>

class FormGames;
class Sprite;
struct SpriteDesc;

// Variants of the "tiles" kind.
enum TileVariant : int32_t { kTileGround = 0, kTileVegetation = 1, kTilePlatform = 2 };

// "fire" SpriteFire, "money" SpriteMonete; "tiles" SpriteTilesTerreno,
// SpriteTilesVegetazione or (half as tall) SpriteTilesPedana by variant;
// "player" SpritePlayer, "ape" SpriteApe, "ufo" SpriteUfo. Any other kind,
// or a tiles variant outside 0..2: null. The caller owns the sprite.
Sprite* CreateSprite(FormGames* owner, const SpriteDesc& desc, int32_t variant, XImage* strip);
