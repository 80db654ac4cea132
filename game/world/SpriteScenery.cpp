#include "game/world/SpriteScenery.h"

SpriteMonete::SpriteMonete(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
    : Sprite(owner, picture, width, height, id)
{
    kind = "spritemonete";
    inScene = true;
}

void SpriteMonete::Draw()
{
    if (shown)
        Sprite::Draw();
}

SpriteTile::SpriteTile(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id,
                       const char* kindName)
    : Sprite(owner, picture, width, height, id)
{
    kind = kindName;
    inScene = true;
}
