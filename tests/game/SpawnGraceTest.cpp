// The player's spawn grace: on its own, and in the game at the starts where
// an enemy reaches the start point before the player can act.
#include <gtest/gtest.h>

#include "game/SpawnGrace.h"
#include "game/SpriteActors.h"
#include "tests/game/GameFixture.h"

#include <string>

TEST(SpawnGrace, ProtectsWhileDroppingAndForTwoSecondsAfterTheFirstLanding)
{
    SpawnGrace grace;
    EXPECT_FALSE(grace.Protects()) << "no player, no grace";
    grace.Start();
    grace.Advance(5000);  // a long drop
    EXPECT_TRUE(grace.Protects());
    grace.Landed();
    grace.Advance(SpawnGrace::kAfterLandingMs - 10);
    grace.Landed();  // a later landing (a jump) does not start the count again
    EXPECT_TRUE(grace.Protects());
    grace.Advance(10);
    EXPECT_FALSE(grace.Protects());
    EXPECT_TRUE(grace.Shown());
}

TEST(SpawnGrace, BlinksWhileItLasts)
{
    SpawnGrace grace;
    grace.Start();
    int shown = 0, hidden = 0;
    for (int ms = 0; ms < 1000; ms += 10) {
        (grace.Shown() ? shown : hidden) += 1;
        grace.Advance(10);
    }
    EXPECT_EQ(shown, 50);
    EXPECT_EQ(hidden, 50);
}

namespace {

// Whether any bee or saucer touches the player as their deadly contact is measured.
bool EnemyTouches(FormMain& game)
{
    for (const auto* list : {&game.Bees(), &game.Ufos()})
        for (SpriteApe* enemy : *list)
            if (enemy->GetX() < FormGames::kWidth && enemy->Overlaps(*game.GetPlayer(), 5, 5))
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
        GameFixture f;
        ASSERT_TRUE(f.Ready());
        f.StartGameAt(level);
        int firstContact = -1, tick = 0;
        for (; tick < 6000 && f.game->GetGameState() == GameState::Playing; ++tick) {
            if (firstContact < 0 && EnemyTouches(*f.game)) {
                firstContact = tick;
                EXPECT_TRUE(f.game->GetSpawnGrace().Protects());
            }
            f.Tick();
        }
        ASSERT_GE(firstContact, 0) << "no enemy came by";
        EXPECT_LT(firstContact, 100) << "the first contact came " << firstContact * 10 << " ms in";
        EXPECT_EQ(f.game->GetLives(), 2) << "a later contact kills";
        EXPECT_FALSE(f.game->GetSpawnGrace().Protects());
        EXPECT_GT(tick, firstContact + 50);
    }
}

TEST(SpawnGraceInTheGame, AHoleKillsDuringTheGrace)
{
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    f.StartGameAt(7);  // ground only at both ends: right of the start lies a hole
    ASSERT_TRUE(f.LandPlayer());
    f.Press(KeyTable::kRight);
    for (int tick = 0; tick < 200 && f.game->GetGameState() == GameState::Playing; ++tick)
        f.Tick();
    EXPECT_EQ(f.game->GetLives(), 2);
    EXPECT_TRUE(f.game->GetSpawnGrace().Protects()) << "the fall came after the grace";
}

namespace {

// The player is seen when the frame differs from the scene where it stands.
bool PlayerSeen(GameFixture& f)
{
    const SpritePlayer* player = f.game->GetPlayer();
    for (int32_t y = player->GetY() + 8; y < player->GetY() + 56; y += 4)
        for (int32_t x = player->GetX() + 8; x < player->GetX() + 40; x += 4)
            if (GameFixture::Pixel(f.game->GetScreenBuffer(), x, y) != GameFixture::Pixel(f.game->GetScena(), x, y))
                return true;
    return false;
}

}  // namespace

TEST(SpawnGraceInTheGame, ThePlayerBlinksUntilTheGraceEnds)
{
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    f.StartGameAt(1);
    f.FreezeEnemies();
    ASSERT_TRUE(f.LandPlayer());
    auto seen = [&] { return PlayerSeen(f); };
    int shown = 0, hidden = 0;
    while (f.game->GetSpawnGrace().Protects()) {
        f.Tick();
        (seen() ? shown : hidden) += 1;
    }
    EXPECT_GT(shown, 20);
    EXPECT_GT(hidden, 20);
    for (int i = 0; i < 50; ++i) {
        f.Tick();
        EXPECT_TRUE(seen()) << "hidden after the grace, tick " << i;
    }
}

TEST(SpawnGraceInTheGame, APauseInTheHiddenHalfOfTheBlinkShowsThePlayer)
{
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    f.StartGameAt(1);
    f.FreezeEnemies();
    ASSERT_TRUE(f.LandPlayer());
    for (int i = 0; i < 50 && PlayerSeen(f); ++i)
        f.Tick();
    ASSERT_FALSE(PlayerSeen(f)) << "no hidden half of the blink";
    ASSERT_TRUE(f.game->GetSpawnGrace().Protects());

    f.game->OnKeyPress('p');
    ASSERT_EQ(f.game->GetGameState(), GameState::Paused);
    EXPECT_TRUE(PlayerSeen(f));
    f.Tick(30);
    EXPECT_TRUE(PlayerSeen(f)) << "for the whole pause";
}
