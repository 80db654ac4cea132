// Constructors and clones of the movements; their Steps are in SpriteRules.cpp.
#include "game/SpriteMovement.h"

SpriteJumping::SpriteJumping(FormGames* owner, SpriteDesc* desc, Sprite* sprite, int32_t jumpPeriod)
    : SpriteAnim(owner, desc, sprite)
{
    period = jumpPeriod;
}

SpriteAnim* SpriteJumping::Clone() const
{
    auto* copy = new SpriteJumping(owner, desc, sprite, period);
    copy->CopyStateFrom(*this);
    return copy;
}

MovementEnemies::MovementEnemies(FormGames* owner, SpriteDesc* desc, Sprite* sprite)
    : SpriteAnim(owner, desc, sprite)
{
    period = kPeriod;
}

SpriteAnim* MovementEnemies::Clone() const
{
    auto* copy = new MovementEnemies(owner, desc, sprite);
    copy->CopyStateFrom(*this);
    return copy;
}
