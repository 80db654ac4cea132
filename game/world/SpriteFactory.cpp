#include "game/world/SpriteFactory.h"

#include "game/world/SpriteActors.h"
#include "game/world/SpriteDesc.h"
#include "game/world/SpriteScenery.h"

namespace {
Sprite* Make(Playfield* owner, const SpriteDesc& desc, int32_t variant, int32_t id)
{
    using namespace SpriteKinds;
    const int32_t w = desc.width, h = desc.height;
    if (desc.IsKind("fire"))
        return new SpriteFire(owner, Fire, w, h, id);
    if (desc.IsKind("money"))
        return new SpriteMonete(owner, Money, w, h, id);
    if (desc.IsKind("tiles")) {
        switch (variant) {
        case kTileGround: return new SpriteTilesTerreno(owner, Tiles, w, h, id);
        case kTileVegetation: return new SpriteTilesVegetazione(owner, Tiles, w, h, id);
        case kTilePlatform: return new SpriteTilesPedana(owner, Tiles, w, h / 2, id);
        default: return nullptr;
        }
    }
    if (desc.IsKind("player"))
        return new SpritePlayer(owner, Player, w, h, id);
    if (desc.IsKind("ape"))
        return new SpriteApe(owner, Ape, w, h, id);
    if (desc.IsKind("ufo"))
        return new SpriteUfo(owner, Ufo, w, h, id);
    return nullptr;
}
}  // namespace

Sprite* CreateSprite(Playfield* owner, const SpriteDesc& desc, int32_t variant, int32_t id)
{
    Sprite* sprite = Make(owner, desc, variant, id);
    if (sprite != nullptr)
        sprite->SetFrameRange({desc.firstFrame, desc.lastFrame});
    return sprite;
}
