// The sprite behaviour that needs the game itself: the jump step, the
// player's landing, head bump and turns, the enemies' patrol and turns, and
// the fire's deadly frames. Each reaches its FormMain through the owner.
#include "game/FormMain.h"

#include "game/SpriteActors.h"
#include "game/SpriteAnim.h"
#include "game/SpriteMovement.h"
#include "support/Packing.h"


namespace {
constexpr int32_t kParkedX = FormGames::kWidth;  // 800: an enemy outside the view waits there

FormMain* GameOf(FormGames* owner) { return static_cast<FormMain*>(owner); }

bool Found(uint64_t position) { return position != PackPoint(-1, -1); }

// Replaces the sprite's frame animation by one over the new range and shows
// the range's first frame.
void Turn(FormMain* game, Sprite* sprite, SpriteDesc* desc, SpriteKinds::FrameRange range)
{
    game->RemoveFrameAnimation(sprite);
    desc->firstFrame = range.first;
    desc->lastFrame = range.last;
    game->AddFrameAnimation(new SpriteAnimazione(game, desc, sprite));
    sprite->SetFrame(range.first);
    game->DrawSprite(sprite);
}
}  // namespace

// One jump step, every jumpPeriod ms: the top of the rise turns the jump
// round without moving; every other step moves one jump step and lets the
// sprite land or bump its head.
void SpriteJumping::Step()
{
    FormMain* game = GameOf(owner);
    Rules::Jump& jump = game->Jump();
    const int32_t dy = jump.NextMove();
    if (dy != 0) {
        jump.active = game->MoveSpriteY(sprite, dy, desc);
        if (sprite->Lands())
            jump.active = sprite->Land(jump.active);
    }
    if (!jump.active) {
        game->RemoveMovement(sprite);
        jump.End();
    }
}

void SpritePlayer::TurnLeft(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, SpriteKinds::kPlayerWalkingLeft); }

void SpritePlayer::TurnRight(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, SpriteKinds::kPlayerWalkingRight); }

bool SpritePlayer::Land(bool moved)
{
    FormMain* game = GameOf(owner);
    Rules::Jump& jump = game->Jump();
    bool result = moved;
    if (!jump.Rising()) {
        if (!moved) {
            // Out of the bottom of the area; nothing else may happen to a dead player.
            game->PlayerDies();
            return false;
        }
        const uint64_t tile = game->SupportBelow();
        if (Found(tile)) {
            // Shown there at its next draw.
            SetPosition(x, Rules::StandingY(PointY(tile)));
            game->PlayerLanded();
            result = false;
        }
    } else if (!moved) {
        jump.StopRising();  // the top of the area
        result = true;
    } else if (Found(game->PlatformAbove())) {
        jump.StopRising();  // a head bump
    }
    game->CoinCheck();
    return result;
}

// One patrol step, every 60 ms: the step is |speed| + 1 pixels, the ends turn
// the enemy round, and an enemy inside the view that touches the player kills it.
void MovementEnemies::Step()
{
    FormMain* game = GameOf(owner);
    auto* enemy = static_cast<SpriteApe*>(sprite);
    if (enemy->maxX == -1)
        enemy->maxX = desc->areaWidth + game->GetScrollLimit() - desc->width;
    if (enemy->minX == -1)
        enemy->minX = 0;

    Rules::Patrol patrol{enemy->worldX, enemy->speed, enemy->minX, enemy->maxX};
    const Rules::Turns turns = Rules::PatrolStep(patrol);
    if (turns.left)
        enemy->TurnLeft(desc);
    if (turns.right)
        enemy->TurnRight(desc);
    const int32_t worldX = patrol.worldX;

    const int32_t scroll = game->GetScroll();
    if (worldX < scroll || worldX > scroll + FormGames::kWidth) {
        if (enemy->GetX() != kParkedX) {
            game->EraseSprite(enemy);
            enemy->SetPosition(kParkedX, enemy->GetY());
        }
    } else {
        enemy->SetPosition(worldX - scroll, enemy->GetY());
        game->DrawSprite(enemy);
        SpritePlayer* player = game->GetPlayer();
        if (player != nullptr && enemy->Overlaps(*player, Rules::kContactMargin, Rules::kContactMargin))
            game->EnemyTouchesPlayer();
    }
    enemy->worldX = worldX;
    enemy->speed = patrol.speed;
}

void SpriteApe::TurnLeft(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, SpriteKinds::kBeeFacingLeft); }

void SpriteApe::TurnRight(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, SpriteKinds::kBeeFacingRight); }

void SpriteFire::Act()
{
    if (!active || !Rules::FireBurns(GetFrame() + 1))
        return;
    FormMain* game = GameOf(owner);
    SpritePlayer* player = game->GetPlayer();
    if (player != nullptr && Overlaps(*player, Rules::kContactMargin, Rules::kContactMargin))
        game->EnemyTouchesPlayer();
}
