// The sprites that move or harm: the player, bees, flying saucers and fires.
#pragma once

#include "game/world/Sprite.h"

class SpritePlayer : public Sprite {
public:
    SpritePlayer(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id);

    // Landing on support, falling out of the area, head bumps, the coin check.
    bool Land(bool moved) override;
    // Walking frames 0-2 (left) and 3-5 (right), with a new frame animation.
    void TurnLeft(SpriteDesc* desc) override;
    void TurnRight(SpriteDesc* desc) override;
};

// A bee: patrols between minX and maxX (world x), driven by MovementEnemies.
class SpriteApe : public Sprite {
public:
    SpriteApe(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id);

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
    SpriteUfo(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id);

    void TurnLeft(SpriteDesc* /*desc*/) override {}
    void TurnRight(SpriteDesc* /*desc*/) override {}
};

class SpriteFire : public Sprite {
public:
    SpriteFire(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id);

    // Active (inside the view) and on a burning frame.
    bool Burns() const;
    // Harms the player on contact while it burns.
    void Act() override;

    bool active = true;  // inside the view
};
