// The game's rules as plain arithmetic: the step of game time, the jump, the
// enemies' patrol, the walking and view rules, the fire's deadly frames and
// the animation clock. The playfield and the sprites keep the state; these
// functions decide. Everything here is constexpr, so the facts the levels are
// built on are checked where they are stated.
#pragma once

#include "game/world/DataFiles.h"

#include <cstdint>

namespace Rules {

constexpr int32_t kTickMs = 10;  // ms of game time per step of the world (a frame tick)

// The animation clock: a counter advanced by one tick runs its step once it
// reaches the period, and starts again from 0.
constexpr bool AdvanceClock(int32_t& counter, int32_t period)
{
    counter += kTickMs;
    if (counter < period)
        return false;
    counter = 0;
    return true;
}

// --- The player -------------------------------------------------------------

constexpr int32_t kWalkStep = 8;       // pixels per acting input poll
constexpr int32_t kPollsPerAct = 2;    // the input poll acts on every second tick
constexpr int32_t kLandDepth = 6;      // pixels a landed player sinks into its tile
constexpr int32_t kPlayerHeight = DataFiles::kPlayerStrip.frameHeight;  // pixels
constexpr int32_t kPlayerWidth = DataFiles::kPlayerStrip.frameWidth;    // pixels
constexpr int32_t kTileSize = DataFiles::kTileStrip.frameHeight;        // pixels: a column's width too
static_assert(DataFiles::kTileStrip.frameWidth == kTileSize, "tiles are square");

// The jump. A jump rises |step| pixels every period until it has risen at
// least `height`, turns round there without moving, and falls at the same
// speed until it lands. A fall is a jump that starts at its top.
struct Jump {
    bool active = false;
    int32_t step = -8;       // pixels per jump step; negative while rising
    int32_t progress = 0;    // pixels risen in this jump
    int32_t height = 150;    // pixels: the rise stops once this is reached
    int32_t period = 60;     // ms between jump steps

    constexpr void Start()
    {
        if (active)
            return;
        active = true;
        progress = 0;
        step = -Abs(step);
    }
    constexpr void StartFall()
    {
        active = true;
        progress = height;
        step = -Abs(step);
    }
    constexpr bool Rising() const { return step < 0; }
    // The pixels to move in this step (0 at the top, where it turns round).
    constexpr int32_t NextMove()
    {
        if (progress >= height && Rising()) {
            progress = 0;
            step = -step;
            return 0;
        }
        if (Rising())
            progress += -step;
        return step;
    }
    // The rise ends now: Down held, a head bump, the top of the area.
    constexpr void StopRising() { progress = height; }
    // Landed or out of the area: the next jump rises again.
    constexpr void End()
    {
        active = false;
        step = -Abs(step);
    }
    // Pixels a whole rise climbs: the height rounded up to whole steps.
    constexpr int32_t Rise() const { return (height + Abs(step) - 1) / Abs(step) * Abs(step); }

    static constexpr int32_t Abs(int32_t v) { return v < 0 ? -v : v; }
};

// Where a player stands on a surface whose top is at surfaceY.
constexpr int32_t StandingY(int32_t surfaceY) { return surfaceY - kPlayerHeight + kLandDepth; }

// The player appears centred, one jump height above where it would stand on
// the ground row, and falls from there.
constexpr int32_t StartX(int32_t areaWidth) { return (areaWidth - kPlayerWidth) / 2; }
constexpr int32_t StartY(int32_t areaHeight, const Jump& jump) { return areaHeight - kTileSize - jump.height; }

// Pixels a player walking all the way can cover while a jump rises.
constexpr int32_t ReachWhileRising(const Jump& jump)
{
    const int32_t riseMs = jump.Rise() / Jump::Abs(jump.step) * jump.period;
    return riseMs / (kTickMs * kPollsPerAct) * kWalkStep;
}

constexpr Jump kDefaultJump{};
static_assert(kDefaultJump.Rise() == 152, "150 pixels in steps of 8: the rise is 19 steps");

// What a step of walking moves: the player on the screen, or the view.
enum class Walk {
    MovePlayer,          // the player moves on the screen
    MovePlayerPastLimit, // the player moves, counted in the offset past the scroll limit
    ScrollView,          // the view scrolls and the player stays
};

constexpr Walk WalkRight(int32_t scroll, int32_t scrollLimit, int32_t playerX, int32_t step, int32_t areaWidth)
{
    if (scroll <= 0 && playerX + step < areaWidth / 2)
        return Walk::MovePlayer;
    if (scrollLimit > 0 && scrollLimit < scroll + step)
        return Walk::MovePlayerPastLimit;
    return Walk::ScrollView;
}

// step is negative.
constexpr Walk WalkLeft(int32_t scroll, int32_t scrollOffset, int32_t step)
{
    if (scrollOffset > 0)
        return Walk::MovePlayerPastLimit;
    if (scroll + step < 0)
        return Walk::MovePlayer;
    return Walk::ScrollView;
}

// --- Enemies and fire ------------------------------------------------------

constexpr int32_t kPatrolPeriod = 60;   // ms between patrol steps
constexpr int32_t kContactMargin = 5;   // pixels each box shrinks for deadly contact

// A patrol between two world x ends; a step is |speed| + 1 pixels.
struct Patrol {
    int32_t worldX;   // -1: not placed yet, it starts at the right end
    int32_t speed;    // its sign is the direction
    int32_t minX;     // world x of the ends
    int32_t maxX;
};

// The turns of one patrol step, in this order (a range shorter than a step
// turns both ways at once).
struct Turns {
    bool left = false;
    bool right = false;
};

// One patrol step: moves, and turns at the ends.
constexpr Turns PatrolStep(Patrol& p)
{
    Turns turns;
    bool leftEndCheck = true;
    if (p.worldX == -1) {
        p.speed = -Jump::Abs(p.speed);
        turns.left = true;
        p.worldX = p.maxX + p.speed - 1;
    } else if (p.speed <= 0) {
        p.worldX += p.speed - 1;
    } else if (p.worldX + p.speed + 1 < p.maxX) {
        p.worldX += p.speed + 1;
        leftEndCheck = false;
    } else {
        p.speed = -p.speed;
        turns.left = true;
        p.worldX = p.maxX;
    }
    if (leftEndCheck && p.worldX <= p.minX && p.speed < 0) {
        p.speed = -p.speed;
        turns.right = true;
        p.worldX = p.minX;
    }
    return turns;
}

// The fire harms only while its flames are tall: frames 3 to 8, counted from 1.
constexpr int32_t kFirstDeadlyFrame = 3;
constexpr int32_t kLastDeadlyFrame = 8;
constexpr bool FireBurns(int32_t shownFrame) { return shownFrame >= kFirstDeadlyFrame && shownFrame <= kLastDeadlyFrame; }

// A coin (or a fire) is placed when its whole width is inside the view.
constexpr bool InView(int32_t worldX, int32_t width, int32_t scroll, int32_t viewWidth)
{
    return worldX >= scroll && worldX <= scroll + viewWidth - width;
}

}  // namespace Rules
