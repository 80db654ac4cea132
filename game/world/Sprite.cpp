#include "game/world/Sprite.h"

Sprite::Sprite(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
    : owner(owner), picture(picture), width(width), height(height), id(id)
{
}

void Sprite::Erase()
{
    placed = false;
    lastX = lastY = -1;
}

void Sprite::Draw()
{
    placed = true;
    drawnFrame = frame;
    lastX = x;
    lastY = y;
}
