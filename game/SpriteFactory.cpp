#include "game/SpriteFactory.h"

#include "game/SpriteActors.h"
#include "game/SpriteDesc.h"
#include "game/SpriteScenery.h"

Sprite* CreateSprite(FormGames* owner, const SpriteDesc& desc, int32_t variant, XImage* strip)
{
    const int32_t w = desc.width, h = desc.height;
    if (desc.IsKind("fire"))
        return new SpriteFire(owner, strip, w, h);
    if (desc.IsKind("money"))
        return new SpriteMonete(owner, strip, w, h);
    if (desc.IsKind("tiles")) {
        switch (variant) {
        case kTileGround: return new SpriteTilesTerreno(owner, strip, w, h);
        case kTileVegetation: return new SpriteTilesVegetazione(owner, strip, w, h);
        case kTilePlatform: return new SpriteTilesPedana(owner, strip, w, h / 2);
        default: return nullptr;
        }
    }
    if (desc.IsKind("player"))
        return new SpritePlayer(owner, strip, w, h);
    if (desc.IsKind("ape"))
        return new SpriteApe(owner, strip, w, h);
    if (desc.IsKind("ufo"))
        return new SpriteUfo(owner, strip, w, h);
    return nullptr;
}
