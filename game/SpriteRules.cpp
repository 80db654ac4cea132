// The sprite behaviour that needs the game itself: the jump step, the
// player's landing, head bump and turns, the enemies' patrol and turns, and
// the fire's deadly frames. Each reaches its FormMain through the owner.
#include "game/FormMain.h"

#include "game/SpriteActors.h"
#include "game/SpriteAnim.h"
#include "game/SpriteMovement.h"
#include "support/Packing.h"

#include <cstdlib>

namespace {
constexpr int32_t kLandDepth = 6;                // pixels a landed player sinks into its tile
constexpr int32_t kParkedX = FormGames::kWidth;  // 800: an enemy outside the view waits there
constexpr int32_t kContactMargin = 5;            // pixels each box shrinks for deadly contact
constexpr int32_t kFirstDeadlyFrame = 3;         // fire frames, counted from 1
constexpr int32_t kLastDeadlyFrame = 8;

FormMain* GameOf(FormGames* owner) { return static_cast<FormMain*>(owner); }

bool Found(uint64_t position) { return position != PackPoint(-1, -1); }

// Replaces the sprite's frame animation by one over the new range and shows
// the range's first frame.
void Turn(FormMain* game, Sprite* sprite, SpriteDesc* desc, int32_t first, int32_t last)
{
    game->RemoveFrameAnimation(sprite);
    desc->firstFrame = first;
    desc->lastFrame = last;
    game->AddFrameAnimation(new SpriteAnimazione(game, desc, sprite));
    sprite->SetFrame(first);
    game->DrawSprite(sprite);
}
}  // namespace

// One jump step, every jumpPeriod ms: the top of the rise turns the jump
// round without moving; every other step moves one jump step and lets the
// sprite land or bump its head.
void SpriteJumping::Step()
{
    FormMain* game = GameOf(owner);
    if (game->GetJumpProgress() >= game->GetJumpHeight() && game->GetJumpStep() < 0) {
        game->SetJumpProgress(0);
        game->SetJumpStep(-game->GetJumpStep());
    } else {
        if (game->GetJumpStep() < 0)
            game->SetJumpProgress(game->GetJumpProgress() + std::abs(game->GetJumpStep()));
        game->SetJumping(game->MoveSpriteY(sprite, game->GetJumpStep(), desc));
        if (sprite->Lands())
            game->SetJumping(sprite->Land(game->IsJumping()));
    }
    if (!game->IsJumping()) {
        game->RemoveMovement(sprite);
        game->SetJumpStep(-std::abs(game->GetJumpStep()));
    }
}

void SpritePlayer::TurnLeft(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, 0, 2); }

void SpritePlayer::TurnRight(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, 3, 5); }

bool SpritePlayer::Land(bool moved)
{
    FormMain* game = GameOf(owner);
    bool result = moved;
    if (game->GetJumpStep() > 0) {
        if (!moved) {
            // Out of the bottom of the area; nothing else may happen to a dead player.
            game->PlayerDies();
            return false;
        }
        const uint64_t tile = game->SupportBelow();
        if (Found(tile)) {
            // Shown there at its next draw.
            SetPosition(x, PointY(tile) - height + kLandDepth);
            game->PlayerLanded();
            result = false;
        }
    } else if (!moved) {
        game->SetJumpProgress(game->GetJumpHeight());  // the top of the area
        result = true;
    } else if (Found(game->PlatformAbove())) {
        game->SetJumpProgress(game->GetJumpHeight());
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

    int32_t worldX = enemy->worldX;
    int32_t speed = enemy->speed;
    bool leftEndCheck = true;
    if (worldX == -1) {
        speed = -std::abs(speed);
        enemy->TurnLeft(desc);
        worldX = enemy->maxX + speed - 1;
    } else if (speed <= 0) {
        worldX += speed - 1;
    } else if (worldX + speed + 1 < enemy->maxX) {
        worldX += speed + 1;
        leftEndCheck = false;
    } else {
        speed = -speed;
        enemy->TurnLeft(desc);
        worldX = enemy->maxX;
    }
    if (leftEndCheck && worldX <= enemy->minX && speed < 0) {
        speed = -speed;
        enemy->TurnRight(desc);
        worldX = enemy->minX;
    }

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
        if (player != nullptr && enemy->Overlaps(*player, kContactMargin, kContactMargin))
            game->EnemyTouchesPlayer();
    }
    enemy->worldX = worldX;
    enemy->speed = speed;
}

void SpriteApe::TurnLeft(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, 2, 3); }

void SpriteApe::TurnRight(SpriteDesc* desc) { Turn(GameOf(owner), this, desc, 0, 1); }

void SpriteFire::Act()
{
    const int32_t shown = GetFrame() + 1;
    if (!active || shown < kFirstDeadlyFrame || shown > kLastDeadlyFrame)
        return;
    FormMain* game = GameOf(owner);
    SpritePlayer* player = game->GetPlayer();
    if (player != nullptr && Overlaps(*player, kContactMargin, kContactMargin))
        game->EnemyTouchesPlayer();
}
