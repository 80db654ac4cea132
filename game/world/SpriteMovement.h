// The movements of sprites: jumping and falling (SpriteJumping) and the
// enemies' patrols (MovementEnemies). Both are SpriteAnim objects kept in the
// playfield's movement list; their steps use the playfield's jump state,
// player and view.
#pragma once

#include "game/world/GameRules.h"
#include "game/world/SpriteAnim.h"

class SpriteJumping : public SpriteAnim {
public:
    // period is the playfield's jump period (ms).
    SpriteJumping(Playfield* owner, SpriteDesc* desc, Sprite* sprite, int32_t jumpPeriod);

    // The top of the rise turns the jump round without moving; every other
    // step moves one jump step and lets the sprite land or bump its head.
    void Step() override;
};

class MovementEnemies : public SpriteAnim {
public:
    static constexpr int32_t kPeriod = Rules::kPatrolPeriod;  // ms between patrol steps

    MovementEnemies(Playfield* owner, SpriteDesc* desc, Sprite* sprite);

    // Moves |speed| + 1 pixels, turns at the ends; inside the view an enemy
    // touching the player harms it.
    void Step() override;
};
