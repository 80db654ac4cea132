// The sprites that move or kill: the player, bees, flying saucers and fires.
//
// Their game behaviour needs the game itself (FormMain's jump state, its
// animation lists, the player, PlayerDies), so these overrides are defined on
// FormMain's side, in game/SpriteRules.cpp:
//   SpritePlayer::Land, SpritePlayer::TurnLeft, SpritePlayer::TurnRight
//   SpriteApe::TurnLeft, SpriteApe::TurnRight
//   SpriteFire::Act
// The constructors and SpriteFire::SetFrame are in SpriteActors.cpp, the
// saucer's empty turns below. GetOwner() is the FormMain that made the sprite.
#pragma once

#include "game/Sprite.h"

class SpritePlayer : public Sprite {
public:
    SpritePlayer(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    // Landing on support, dying at the bottom, head bumps, the coin check.
    bool Land(bool moved) override;
    // Walking frames 0-2 (left) and 3-5 (right), with a new frame animation.
    void TurnLeft(SpriteDesc* desc) override;
    void TurnRight(SpriteDesc* desc) override;
};

// A bee: patrols between minX and maxX (world x), driven by MovementEnemies.
class SpriteApe : public Sprite {
public:
    SpriteApe(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    // Frames 2-3 facing left, 0-1 facing right, with a new frame animation.
    void TurnLeft(SpriteDesc* desc) override;
    void TurnRight(SpriteDesc* desc) override;

    int32_t maxX = -1;    // world x of the right end; -1: the default end
    int32_t minX = -1;    // world x of the left end; -1: the default end
    int32_t worldX = -1;  // current world x; -1: not yet placed
    int32_t speed = 0;    // pixels; its sign is the direction, a step is |speed| + 1
};

// A flying saucer: patrols like a bee, its four frames always cycle.
class SpriteUfo : public SpriteApe {
public:
    SpriteUfo(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    void TurnLeft(SpriteDesc* /*desc*/) override {}
    void TurnRight(SpriteDesc* /*desc*/) override {}
};

class SpriteFire : public Sprite {
public:
    SpriteFire(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    // Erases first when the frame changes, so smaller flames leave no trace.
    void SetFrame(int32_t n) override;
    // Kills the player on contact while active and on a deadly frame.
    void Act() override;

    bool active = true;  // inside the view
};
