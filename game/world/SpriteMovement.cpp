#include "game/world/SpriteMovement.h"

#include "game/world/Playfield.h"
#include "game/world/SpriteActors.h"

namespace {
constexpr int32_t kParkedX = SpriteKinds::kAreaWidth;  // 800: an enemy outside the view waits there
}

SpriteJumping::SpriteJumping(Playfield* owner, SpriteDesc* desc, Sprite* sprite, int32_t jumpPeriod)
    : SpriteAnim(owner, desc, sprite)
{
    period = jumpPeriod;
}

void SpriteJumping::Step()
{
    Rules::Jump& jump = owner->Jump();
    const int32_t dy = jump.NextMove();
    if (dy != 0) {
        jump.active = owner->MoveSpriteY(sprite, dy, desc);
        if (sprite->Lands())
            jump.active = sprite->Land(jump.active);
    }
    if (!jump.active) {
        owner->RemoveMovement(sprite);
        jump.End();
    }
}

MovementEnemies::MovementEnemies(Playfield* owner, SpriteDesc* desc, Sprite* sprite)
    : SpriteAnim(owner, desc, sprite)
{
    period = kPeriod;
}

void MovementEnemies::Step()
{
    auto* enemy = static_cast<SpriteApe*>(sprite);
    if (enemy->maxX == -1)
        enemy->maxX = desc->areaWidth + owner->GetScrollLimit() - desc->width;
    if (enemy->minX == -1)
        enemy->minX = 0;

    Rules::Patrol patrol{enemy->worldX, enemy->speed, enemy->minX, enemy->maxX};
    const Rules::Turns turns = Rules::PatrolStep(patrol);
    if (turns.left)
        enemy->TurnLeft(desc);
    if (turns.right)
        enemy->TurnRight(desc);
    const int32_t worldX = patrol.worldX;

    const int32_t scroll = owner->GetScroll();
    if (worldX < scroll || worldX > scroll + SpriteKinds::kAreaWidth) {
        if (enemy->GetX() != kParkedX) {
            owner->EraseSprite(enemy);
            enemy->SetPosition(kParkedX, enemy->GetY());
        }
    } else {
        enemy->SetPosition(worldX - scroll, enemy->GetY());
        owner->DrawSprite(enemy);
        if (owner->TouchesPlayer(*enemy))
            owner->EnemyTouchesPlayer();
    }
    enemy->worldX = worldX;
    enemy->speed = patrol.speed;
}
