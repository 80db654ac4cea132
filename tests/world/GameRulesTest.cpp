// Headless checks of the game's rules and of what the layouts need from them:
// the jump, every coin within a jump's reach, every enemy patrolling exactly
// its range, the walking and view rules.
#include "game/world/GameRules.h"
#include "game/world/LevelLayouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace Rules;

namespace {

// The y of the player's top at every step of a whole jump from standY, until
// it is back where it started.
std::vector<int32_t> JumpPath(Jump jump, int32_t standY)
{
    std::vector<int32_t> path;
    int32_t y = standY;
    jump.Start();
    do {
        y += jump.NextMove();
        path.push_back(y);
    } while (y < standY && path.size() < 1000);
    return path;
}

// Surfaces the player can stand on in a layout's first view: y of the tile
// top and the world x range of the column.
struct Surface {
    int32_t top;
    int32_t left;
    int32_t right;
};

std::vector<Surface> Surfaces(int layout)
{
    std::vector<Surface> out;
    for (int column = 0; column < Layouts::kColumns; ++column) {
        const int32_t left = column * Layouts::kColumnWidth, right = left + Layouts::kColumnWidth;
        if (Layouts::GroundAt(layout, column) != Layouts::kNone)
            out.push_back({Layouts::kGroundY, left, right});
        if (Layouts::PlatformAt(layout, column) != Layouts::kNone)
            out.push_back({Layouts::kPlatformY, left, right});
    }
    return out;
}

}  // namespace

TEST(GameRules, AJumpRisesItsWholeStepsTurnsOnceAndFallsBackAtTheSameSpeed)
{
    const Jump jump;
    const std::vector<int32_t> path = JumpPath(jump, 518);
    const int32_t top = *std::min_element(path.begin(), path.end());
    EXPECT_EQ(518 - top, jump.Rise());
    EXPECT_GE(jump.Rise(), jump.height);
    EXPECT_LT(jump.Rise() - jump.height, Jump::Abs(jump.step));
    // Up in whole steps, one step standing at the top, down in whole steps.
    const int32_t stepsUp = jump.Rise() / Jump::Abs(jump.step);
    ASSERT_EQ(path.size(), size_t(2 * stepsUp + 1));
    EXPECT_EQ(path[stepsUp - 1], path[stepsUp]) << "the turn at the top does not move";
    EXPECT_EQ(path.back(), 518);

    Jump falling;
    falling.StartFall();
    EXPECT_EQ(falling.NextMove(), 0) << "a fall starts at the top";
    EXPECT_GT(falling.NextMove(), 0);

    Jump stopped;
    stopped.Start();
    stopped.NextMove();
    stopped.StopRising();
    EXPECT_EQ(stopped.NextMove(), 0);
    EXPECT_GT(stopped.NextMove(), 0) << "Down turns the jump at once";
    stopped.End();
    EXPECT_FALSE(stopped.active);
    EXPECT_TRUE(stopped.Rising()) << "the next jump rises again";
}

// Each coin must be touched by a player jumping from some ground or platform
// column of its layout, walking toward the coin while it rises.
TEST(GameRules, EveryCoinIsWithinAJumpsReach)
{
    constexpr int32_t kCoinWidth = DataFiles::kCoin.frameWidth, kCoinHeight = DataFiles::kCoin.frameHeight;
    const Jump jump;
    const int32_t reach = ReachWhileRising(jump);
    EXPECT_EQ(reach, 456);
    for (int layout = 1; layout <= Layouts::kLayoutCount; ++layout) {
        const std::vector<Surface> surfaces = Surfaces(layout);
        for (const Layouts::CoinPosition& coin : Layouts::CoinsOf(layout)) {
            bool reachable = false;
            for (const Surface& s : surfaces) {
                const bool across = coin.x < s.right + reach && coin.x + kCoinWidth > s.left - reach;
                const int32_t feet = StandingY(s.top) + kPlayerHeight, head = StandingY(s.top) - jump.Rise();
                reachable = reachable || (across && coin.y < feet && coin.y + kCoinHeight > head);
            }
            EXPECT_TRUE(reachable) << "layout " << layout << ": coin at " << coin.x << "," << coin.y;
        }
    }
}

TEST(GameRules, EveryEnemyPatrolsExactlyItsRange)
{
    constexpr int32_t kDefaultScrollLimit = 1;  // pixels, from every level start on
    for (int layout = 1; layout <= Layouts::kLayoutCount; ++layout) {
        for (const Layouts::EnemyEntry& e : Layouts::EnemiesOf(layout)) {
            const int32_t width = e.kind == Layouts::EnemyEntry::Bee ? DataFiles::kBeeStrip.frameWidth
                                                                     : DataFiles::kUfoStrip.frameWidth;
            Patrol p{e.start, e.speed, e.leftEnd == Layouts::kNone ? 0 : e.leftEnd,
                     e.rightEnd == Layouts::kNone ? DataFiles::kFrameWidth + kDefaultScrollLimit - width : e.rightEnd};
            // From its first step on (a start outside the range snaps to an end).
            int32_t lowest = p.maxX, highest = p.minX;
            int turnsLeft = 0, turnsRight = 0;
            for (int step = 0; step < 2000; ++step) {
                const Turns turns = PatrolStep(p);
                turnsLeft += turns.left ? 1 : 0;
                turnsRight += turns.right ? 1 : 0;
                lowest = std::min(lowest, p.worldX);
                highest = std::max(highest, p.worldX);
                ASSERT_EQ(turns.left, p.speed < 0 && (p.worldX == p.maxX || (step == 0 && e.start == -1)))
                    << "layout " << layout << " step " << step;
            }
            SCOPED_TRACE("layout " + std::to_string(layout) + ", enemy at height " + std::to_string(e.height));
            EXPECT_EQ(lowest, p.minX);
            EXPECT_EQ(highest, p.maxX);
            EXPECT_GT(turnsLeft, 2);
            EXPECT_GT(turnsRight, 2);
        }
    }
}

TEST(GameRules, WalkingMovesThePlayerUntilTheMiddleThenThePastLimitOffset)
{
    // At the start (scroll 0, limit 1) the player walks right up to the middle
    // of the view, then on past the limit; the view never scrolls.
    int32_t x = StartX(800), scroll = 0, offset = 0;
    for (int step = 0; step < 40; ++step) {
        const Walk walk = WalkRight(scroll, 1, x, kWalkStep, 800);
        ASSERT_NE(walk, Walk::ScrollView);
        EXPECT_EQ(walk == Walk::MovePlayer, x + kWalkStep < 400) << "at " << x;
        if (walk == Walk::MovePlayerPastLimit)
            offset += kWalkStep;
        x += kWalkStep;
    }
    // Back left: the offset walked past the limit is walked back first.
    EXPECT_EQ(WalkLeft(scroll, offset, -kWalkStep), Walk::MovePlayerPastLimit);
    EXPECT_EQ(WalkLeft(scroll, 0, -kWalkStep), Walk::MovePlayer);
    // With no limit the view scrolls once the player is at the middle.
    EXPECT_EQ(WalkRight(0, 0, 400, kWalkStep, 800), Walk::ScrollView);
    EXPECT_EQ(WalkLeft(64, 0, -kWalkStep), Walk::ScrollView);
}

TEST(GameRules, TheAnimationClockStepsOncePerPeriod)
{
    for (int32_t period : {10, 60, 150, 300, 330}) {
        int32_t counter = 0, steps = 0;
        for (int tick = 0; tick < 3000 / kTickMs; ++tick)
            steps += AdvanceClock(counter, period) ? 1 : 0;
        EXPECT_EQ(steps, 3000 / period) << "period " << period;
    }
}
