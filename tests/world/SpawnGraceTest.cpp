// The player's spawn grace: on its own, and in the game at the starts where
// an enemy reaches the start point before the player can act.
#include "tests/world/WorldDriver.h"

#include "game/world/SpawnGrace.h"

#include <gtest/gtest.h>

#include <string>

TEST(SpawnGrace, ProtectsWhileDroppingAndForTwoSecondsAfterTheFirstLanding)
{
    SpawnGrace grace;
    EXPECT_FALSE(grace.Protects()) << "no player, no grace";
    grace.Start();
    grace.Advance(5000, false);  // a long drop
    EXPECT_TRUE(grace.Protects());
    grace.Landed();
    grace.Advance(SpawnGrace::kAfterLandingMs - 10, false);
    grace.Landed();  // a later landing (a jump) does not start the count again
    EXPECT_TRUE(grace.Protects());
    // While something harmful touches the player when the time is up, it holds.
    for (int step = 0; step < 30; ++step) {
        grace.Advance(10, true);
        EXPECT_TRUE(grace.Protects()) << step;
    }
    grace.Advance(10, false);
    EXPECT_FALSE(grace.Protects());
    EXPECT_TRUE(grace.Shown());
    grace.Advance(10, true);
    EXPECT_FALSE(grace.Protects()) << "once over, a touch does not bring it back";
}

TEST(SpawnGrace, BlinksWhileItLasts)
{
    SpawnGrace grace;
    grace.Start();
    int shown = 0, hidden = 0;
    for (int ms = 0; ms < 1000; ms += 10) {
        (grace.Shown() ? shown : hidden) += 1;
        grace.Advance(10, false);
    }
    EXPECT_EQ(shown, 50);
    EXPECT_EQ(hidden, 50);
}

namespace {

// Whether any bee or saucer touches the player as their deadly contact is measured.
bool EnemyTouches(const Playfield& field)
{
    for (const auto* list : {&field.Bees(), &field.Ufos()})
        for (const SpriteApe* enemy : *list)
            if (enemy->GetX() < SpriteKinds::kAreaWidth && enemy->Overlaps(*field.GetPlayer(), 5, 5))
                return true;
    return false;
}

}  // namespace

// Standing still at the start of layouts 3 (a ground bee) and 8 (a saucer):
// the first contact comes during the grace and does no harm; a contact after
// it kills.
TEST(SpawnGraceInTheGame, TheFirstContactAtTheStartOfLayouts3And8IsSurvived)
{
    for (int32_t level : {3, 8}) {
        SCOPED_TRACE("layout " + std::to_string(level));
        WorldDriver d;
        d.world.StartGame(level);
        const Playfield& field = d.world.Field();
        int firstContact = -1, step = 0;
        for (; step < 6000 && d.world.GetGameState() == GameState::Playing; ++step) {
            if (firstContact < 0 && EnemyTouches(field)) {
                firstContact = step;
                EXPECT_TRUE(field.GetSpawnGrace().Protects());
            }
            d.Step();
        }
        ASSERT_GE(firstContact, 0) << "no enemy came by";
        EXPECT_LT(firstContact, 100) << "the first contact came " << firstContact * 10 << " ms in";
        EXPECT_EQ(d.world.GetLives(), 2) << "a later contact kills";
        EXPECT_FALSE(field.GetSpawnGrace().Protects());
        EXPECT_GT(step, firstContact + 50);
    }
}

// Standing still where a ground enemy passes through the player as the two
// seconds end (layouts 4 and 5: a bee, layout 7: a saucer): no life is lost
// in the first 2.9 s, and the grace ends only once nothing touches.
TEST(SpawnGraceInTheGame, StandingStillAsAGroundEnemyPassesKeepsEveryLife)
{
    for (int32_t level : {4, 5, 7}) {
        SCOPED_TRACE("layout " + std::to_string(level));
        WorldDriver d;
        d.world.StartGame(level);
        const Playfield& field = d.world.Field();
        int touchedAtItsTime = 0;
        for (int step = 0; step < 290; ++step) {
            const bool wasProtected = field.GetSpawnGrace().Protects();
            d.Step();
            ASSERT_EQ(d.world.GetLives(), 3) << "step " << step;
            if (wasProtected && !field.GetSpawnGrace().Protects()) {
                EXPECT_FALSE(field.HarmTouchesPlayer()) << "the grace ended under an enemy, step " << step;
            }
            touchedAtItsTime += field.GetSpawnGrace().Protects() && field.HarmTouchesPlayer() ? 1 : 0;
        }
        EXPECT_GT(touchedAtItsTime, 0) << "no enemy came by during the grace";
    }
}

TEST(SpawnGraceInTheGame, ThePlayerBlinksUntilTheGraceEndsAndAPauseShowsIt)
{
    WorldDriver d;
    d.world.StartGame(1);
    d.FreezeEnemies();
    ASSERT_TRUE(d.LandPlayer());
    const Playfield& field = d.world.Field();
    auto seen = [&] { return field.GetPlayer()->IsVisible(); };
    int shown = 0, hidden = 0;
    while (field.GetSpawnGrace().Protects() && shown + hidden < 1000) {
        d.Step();
        (seen() ? shown : hidden) += 1;
        if (!seen() && hidden == 5) {
            // Paused in the hidden half of the blink, the player is shown for the pause.
            d.Type('p');
            d.Step();
            EXPECT_TRUE(seen());
            d.Step(30);
            EXPECT_TRUE(seen()) << "for the whole pause";
            d.Type('p');
        }
    }
    EXPECT_GT(shown, 20);
    EXPECT_GT(hidden, 20);
    for (int i = 0; i < 50; ++i) {
        d.Step();
        EXPECT_TRUE(seen()) << "hidden after the grace, step " << i;
    }
}
