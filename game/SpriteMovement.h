// The movements of sprites: jumping and falling (SpriteJumping) and the
// enemies' patrols (MovementEnemies). Both are SpriteAnim objects kept in
// FormMain's movement list.
//
// Their Step needs the game itself (the jump state, the player, scrolling,
// PlayerDies), so the two Step overrides are defined on FormMain's side, in
// game/SpriteRules.cpp; constructors and Clone are in SpriteMovement.cpp.
#pragma once

#include "game/GameRules.h"
#include "game/SpriteAnim.h"

class SpriteJumping : public SpriteAnim {
public:
    // period is the game's jump period (ms), for this jump and its clones.
    SpriteJumping(FormGames* owner, SpriteDesc* desc, Sprite* sprite, int32_t jumpPeriod);

    void Step() override;
    SpriteAnim* Clone() const override;
};

class MovementEnemies : public SpriteAnim {
public:
    static constexpr int32_t kPeriod = Rules::kPatrolPeriod;  // ms between patrol steps

    MovementEnemies(FormGames* owner, SpriteDesc* desc, Sprite* sprite);

    void Step() override;
    SpriteAnim* Clone() const override;
};
