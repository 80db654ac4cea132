#include "game/SpriteScenery.h"

SpriteMonete::SpriteMonete(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : Sprite(owner, strip, width, height)
{
    kind = "spritemonete";
    inScene = true;
}

void SpriteMonete::Draw()
{
    if (shown)
        Sprite::Draw();
}

SpriteTilesTerreno::SpriteTilesTerreno(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : Sprite(owner, strip, width, height)
{
    kind = "spritetilesterreno";
    inScene = true;
}

SpriteTilesPedana::SpriteTilesPedana(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : Sprite(owner, strip, width, height)
{
    kind = "spritetilespedana";
    inScene = true;
}

SpriteTilesVegetazione::SpriteTilesVegetazione(FormGames* owner, XImage* strip, int32_t width,
                                               int32_t height)
    : Sprite(owner, strip, width, height)
{
    kind = "spritetilesvegetazione";
    inScene = true;
}
