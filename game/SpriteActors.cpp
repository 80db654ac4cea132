// The FormMain-independent parts of the moving sprites; their game
// behaviour (Land, the bee's turns, the fire's Act) is in SpriteRules.cpp.
#include "game/SpriteActors.h"

SpritePlayer::SpritePlayer(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : Sprite(owner, strip, width, height)
{
    kind = "spriteplayer";
    lands = true;
}

SpriteApe::SpriteApe(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : Sprite(owner, strip, width, height)
{
    kind = "spriteape";
}

SpriteUfo::SpriteUfo(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : SpriteApe(owner, strip, width, height)
{
    kind = "spriteufo";
}

SpriteFire::SpriteFire(FormGames* owner, XImage* strip, int32_t width, int32_t height)
    : Sprite(owner, strip, width, height)
{
    kind = "spritefire";
}

void SpriteFire::SetFrame(int32_t n)
{
    if (n + 1 != frame)
        Erase();
    Sprite::SetFrame(n);
}
