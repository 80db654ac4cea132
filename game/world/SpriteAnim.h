// SpriteAnim: behaviour on a clock, pointing at a sprite and stepped by the
// playfield's tick. The playfield keeps every live animation in one of two
// lists (frame animations, movements); on each 10 ms tick it adds 10 to
// `counter` and runs Step once the counter reaches `period`, resetting it to
// 0. All times are ticks of game time, never the wall clock.
//
// Subclasses: SpriteAnimazione (frame animation, here), SpriteJumping and
// MovementEnemies (SpriteMovement.h).
#pragma once

#include <cstdint>

class Playfield;
class Sprite;
struct SpriteDesc;

class SpriteAnim {
public:
    // Copies period and frame range from the descriptor.
    SpriteAnim(Playfield* owner, SpriteDesc* desc, Sprite* sprite);
    virtual ~SpriteAnim() = default;
    SpriteAnim(const SpriteAnim&) = delete;
    SpriteAnim& operator=(const SpriteAnim&) = delete;

    // One step of behaviour.
    virtual void Step() = 0;
    virtual void Finish() {}

    // Scheduling state, read and advanced by the owner's tick.
    int32_t counter = 0;  // ms accumulated since the last step
    int32_t period;       // ms between steps
    int32_t firstFrame;   // frame range, counted from 0
    int32_t lastFrame;
    SpriteDesc* desc;     // the kind descriptor it was made from; not owned
    Sprite* sprite;       // not owned
    Playfield* owner;
};

// Frame animation: each step shows the next frame of the range, wrapping to
// its first, redraws when the frame changed, and calls the sprite's Act.
class SpriteAnimazione : public SpriteAnim {
public:
    SpriteAnimazione(Playfield* owner, SpriteDesc* desc, Sprite* sprite);

    void Step() override;
};
