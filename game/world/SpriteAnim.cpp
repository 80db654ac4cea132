#include "game/world/SpriteAnim.h"

#include "game/world/Sprite.h"
#include "game/world/SpriteDesc.h"

SpriteAnim::SpriteAnim(Playfield* owner, SpriteDesc* desc, Sprite* sprite)
    : period(desc ? desc->period : 0),
      firstFrame(desc ? desc->firstFrame : 0),
      lastFrame(desc ? desc->lastFrame : 0),
      desc(desc),
      sprite(sprite),
      owner(owner)
{
}

SpriteAnimazione::SpriteAnimazione(Playfield* owner, SpriteDesc* desc, Sprite* sprite)
    : SpriteAnim(owner, desc, sprite)
{
}

void SpriteAnimazione::Step()
{
    if (!sprite)
        return;
    const int32_t current = sprite->GetFrame();
    int32_t next = current + 1;
    if (next > lastFrame)
        next = firstFrame;
    if (next != current) {
        sprite->SetFrame(next);
        sprite->Draw();
    }
    sprite->Act();
}
