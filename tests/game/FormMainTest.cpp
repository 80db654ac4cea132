// The game as a player meets it, driven tick by tick on the private X server.
// gtest first: the X headers define macros (None, Bool) that clash with it.
#include <gtest/gtest.h>

#include "game/FormMain.h"
#include "game/LevelLayouts.h"
#include "game/SpriteActors.h"
#include "game/SpriteAnim.h"
#include "game/SpriteMovement.h"
#include "game/SpriteScenery.h"
#include "services/SoundPlayer.h"
#include "tests/game/GameFixture.h"

#include <X11/Xatom.h>
#include <algorithm>
#include <vector>

namespace {
constexpr int kTicksPerStep = 6;  // a 60 ms jump or patrol step

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.Ready()); }

    TestGame& Game() { return *f.game; }
    SpritePlayer* Player() { return f.game->GetPlayer(); }

    // Ticks one at a time, recording the player's y whenever it changes.
    std::vector<int32_t> TrackPlayerY(int ticks)
    {
        std::vector<int32_t> ys{Player()->GetY()};
        for (int i = 0; i < ticks && Game().GetGameState() == GameState::Playing; ++i) {
            f.Tick();
            if (Player()->GetY() != ys.back())
                ys.push_back(Player()->GetY());
        }
        return ys;
    }

    // The player standing on the ground at x, enemies frozen.
    void StandAt(int32_t x)
    {
        f.FreezeEnemies();
        ASSERT_TRUE(f.LandPlayer());
        f.PlacePlayer(x, 518);
    }

    GameFixture f;
};
}  // namespace

TEST_F(FormMainTest, TitleScreenAfterRunApp)
{
    EXPECT_EQ(Game().GetGameState(), GameState::Title);
    ASSERT_EQ(f.waits, std::vector<unsigned>{1});
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/logo.bin"));
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
        EXPECT_NE(Game().Strip(static_cast<SpriteKinds::Kind>(kind)), nullptr) << "strip " << kind;
    EXPECT_EQ(Game().GetFontHeight(), Game().FontAscent() + 1);

    // The maker line in red at (210, 135).
    int red = 0;
    for (int32_t y = 135; y < 153; ++y)
        for (int32_t x = 210; x < 400; ++x)
            red += GameFixture::Pixel(Game().GetScena(), x, y) == 0xFF0000 ? 1 : 0;
    EXPECT_GT(red, 20);

    // G and g are the only keys that start a game here.
    Game().OnKeyPress('p');
    Game().OnKeyPress('n');
    EXPECT_EQ(Game().GetGameState(), GameState::Title);
    Game().OnKeyPress('g');
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
    EXPECT_EQ(Game().GetLevel(), 1);
    EXPECT_EQ(Game().GetLives(), 3);
    EXPECT_EQ(Game().GetScore(), 0);
    Game().OnKeyPress('G');
    EXPECT_EQ(Game().GetLevel(), 1);
}

TEST_F(FormMainTest, PromptBlinksOncePerSecond)
{
    auto promptPixels = [this](uint32_t colour) {
        int count = 0;
        for (int32_t y = 600; y < 618; ++y)
            for (int32_t x = 480; x < 760; ++x)
                count += GameFixture::Pixel(Game().GetScreenBuffer(), x, y) == colour ? 1 : 0;
        return count;
    };
    f.Tick(10);
    EXPECT_EQ(promptPixels(0xFFFFFF) + promptPixels(0xFF0000), 0) << "nothing within the first second";
    f.AdvanceClock(1);
    f.Tick();
    const int white = promptPixels(0xFFFFFF);
    EXPECT_GT(white, 50);
    EXPECT_EQ(promptPixels(0xFF0000), 0);
    f.Tick(20);  // the same second: no change
    EXPECT_EQ(promptPixels(0xFFFFFF), white);
    f.AdvanceClock(1);
    f.Tick();
    EXPECT_EQ(promptPixels(0xFFFFFF), 0);
    EXPECT_EQ(promptPixels(0xFF0000), white);
}

TEST_F(FormMainTest, Level9PlaysLayout1AndLevel16Layout8)
{
    f.StartGameAt(9);
    EXPECT_EQ(Game().GetLevel(), 9);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/sfondopre1.bin"));
    EXPECT_EQ(Game().Bees().size(), 3u);
    EXPECT_TRUE(Game().Ufos().empty());
    EXPECT_TRUE(Game().FirePositions().empty());
    EXPECT_EQ(Game().PlatformTiles().size(), 2u) << "columns 4 and 5; 15 lies beyond the view";

    f.StartGameAt(16);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/sfondo5.bin"));
    EXPECT_EQ(Game().Ufos().size(), 4u);
    EXPECT_TRUE(Game().Bees().empty());
    EXPECT_EQ(Game().FirePositions(), std::vector<int32_t>{250});
    EXPECT_EQ(Game().CoinsTotal(), 18);
    // Layout 8's second coin list: (600, 340) is coin 3.
    EXPECT_EQ(Game().VisibleCoins()[3]->GetY(), 340);
}

TEST_F(FormMainTest, LevelStartPlacesTilesCoinsAndTheStatusLine)
{
    f.StartGameAt(1);
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
    // Columns 0-13 at scroll 0: 14 ground tiles, vegetation in 1, 6, 9 and 13.
    ASSERT_EQ(Game().GroundTiles().size(), 14u);
    EXPECT_EQ(Game().GroundTiles()[13]->GetX(), 13 * 64);
    EXPECT_EQ(Game().GroundTiles()[0]->GetY(), 576);
    ASSERT_EQ(Game().VegetationTiles().size(), 4u);
    EXPECT_EQ(Game().VegetationTiles()[1]->GetX(), 6 * 64);
    EXPECT_EQ(Game().VegetationTiles()[1]->GetFrame(), 1);
    EXPECT_EQ(Game().VegetationTiles()[0]->GetY(), 512);
    ASSERT_EQ(Game().PlatformTiles().size(), 2u);
    EXPECT_EQ(Game().PlatformTiles()[0]->GetY(), 452);
    EXPECT_EQ(Game().PlatformTiles()[0]->GetHeight(), 32);
    EXPECT_EQ(Game().CoinsTotal(), 18);
    ASSERT_EQ(Game().VisibleCoins().size(), 18u);
    EXPECT_EQ(Game().VisibleCoins()[0]->GetX(), 0);
    EXPECT_EQ(Game().VisibleCoins()[0]->GetY(), 400);

    // The status line: white text on 0x010101 across the top.
    int white = 0, strip = 0;
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            const uint32_t p = GameFixture::Pixel(Game().GetScreenBuffer(), x, y);
            white += p == 0xFFFFFF ? 1 : 0;
            strip += p == 0x010101 ? 1 : 0;
        }
    EXPECT_GT(white, 100);
    EXPECT_GT(strip, 5000);

    // Every level builds its tiles afresh: layout 8 has ground in columns 0-12 only.
    Game().SetLevel(8);
    Game().StartLevel();
    EXPECT_EQ(Game().GroundTiles().size(), 13u);
}

TEST_F(FormMainTest, PlayerDropsFrom426AndLandsAt518)
{
    f.StartGameAt(1);
    f.FreezeEnemies();
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(Player()->GetX(), 376);
    EXPECT_EQ(Player()->GetY(), 426);
    EXPECT_EQ(Player()->GetFrame(), 3);
    EXPECT_TRUE(Game().IsJumping());

    // The fall begins with the top-of-the-rise step, then 8 pixels per step.
    f.Tick(kTicksPerStep);
    EXPECT_EQ(Player()->GetY(), 426);
    f.Tick(kTicksPerStep);
    EXPECT_EQ(Player()->GetY(), 434);
    // From 506 the step to 514 brings the feet onto the ground row (576):
    // the player is set six pixels deep into it, at 518, in the same step.
    std::vector<int32_t> expected;
    for (int32_t y = 434; y <= 506; y += 8)
        expected.push_back(y);
    expected.push_back(518);
    EXPECT_EQ(TrackPlayerY(200), expected);
    EXPECT_FALSE(Game().IsJumping());
    EXPECT_TRUE(Game().Movements().empty());
}

TEST_F(FormMainTest, WalkingIntoLayout7sHoleEndsInDeath)
{
    f.StartGameAt(7);
    f.FreezeEnemies();
    ASSERT_TRUE(f.LandPlayer());
    EXPECT_EQ(Player()->GetY(), 518);
    f.Press(KeyTable::kRight);
    int32_t lowest = 0;
    for (int i = 0; i < 400 && Game().GetGameState() == GameState::Playing; ++i) {
        f.Tick();
        lowest = std::max(lowest, Player()->GetY());
    }
    EXPECT_EQ(lowest, 574) << "the last y inside the area";
    EXPECT_GT(Player()->GetX(), 7 * 64 - 24);
    EXPECT_EQ(Game().GetLives(), 2);
    EXPECT_EQ(Game().GetGameState(), GameState::Restarting);
    EXPECT_EQ(f.waits, (std::vector<unsigned>{1, 3}));
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/replay.bin"));
    EXPECT_TRUE(Game().FrameAnimations().empty());
    EXPECT_TRUE(Game().Movements().empty());
}

TEST_F(FormMainTest, JumpRises19StepsThenFalls)
{
    f.StartGameAt(1);
    StandAt(560);
    f.Press(KeyTable::kUp);
    f.Tick(2);
    ASSERT_TRUE(Game().IsJumping());
    f.Release(KeyTable::kUp);
    const std::vector<int32_t> ys = TrackPlayerY(400);
    const auto top = std::min_element(ys.begin(), ys.end());
    EXPECT_EQ(*top, 518 - 19 * 8);
    EXPECT_EQ(top - ys.begin(), 19) << "19 rising steps";
    EXPECT_EQ(ys.back(), 518);
    EXPECT_FALSE(Game().IsJumping());
}

TEST_F(FormMainTest, DownDuringTheRiseEndsItAtTheNextStep)
{
    f.StartGameAt(1);
    StandAt(560);
    f.Press(KeyTable::kUp);
    f.Tick(2);
    f.Release(KeyTable::kUp);
    while (Player()->GetY() > 518 - 5 * 8)
        f.Tick();
    f.Press(KeyTable::kDown);
    f.Tick(2);
    f.Release(KeyTable::kDown);
    EXPECT_EQ(Game().GetJumpProgress(), Game().GetJumpHeight());
    // The next step is the top (no move), the one after falls.
    int ticks = 0;
    while (Game().GetJumpStep() < 0 && ticks < 20) {
        f.Tick();
        ++ticks;
    }
    EXPECT_EQ(Player()->GetY(), 478);
    EXPECT_LE(ticks, kTicksPerStep);
    const std::vector<int32_t> ys = TrackPlayerY(200);
    EXPECT_EQ(*std::min_element(ys.begin(), ys.end()), 478);
    ASSERT_GE(ys.size(), 2u);
    EXPECT_EQ(ys[1], 486);
    EXPECT_EQ(ys.back(), 518);

    // Down while falling changes nothing.
    Game().SetJumpProgress(0);
    f.PlacePlayer(560, 400);
    Game().StartFall();
    f.Press(KeyTable::kDown);
    f.Tick(2 * kTicksPerStep + 2);
    EXPECT_GT(Game().GetJumpStep(), 0);
    EXPECT_EQ(Game().GetJumpProgress(), 0);
}

TEST_F(FormMainTest, JumpUnderAPlatformStopsRising)
{
    f.StartGameAt(1);
    StandAt(312);  // under the platform of column 5 (x 320-383)
    f.Press(KeyTable::kUp);
    f.Tick(2);
    f.Release(KeyTable::kUp);
    const std::vector<int32_t> ys = TrackPlayerY(300);
    // The platform's bottom (484) enters the player's height at y 478.
    EXPECT_EQ(*std::min_element(ys.begin(), ys.end()), 478);
    EXPECT_EQ(ys.back(), 518);
}

TEST_F(FormMainTest, LandsOnAPlatformSixPixelsDeep)
{
    f.StartGameAt(1);
    f.FreezeEnemies();
    f.PlacePlayer(320, 300);
    Game().StartFall();
    ASSERT_TRUE(f.LandPlayer());
    EXPECT_EQ(Player()->GetY(), 452 - 64 + 6);

    // Walking off its right edge starts the fall in the same poll.
    f.Press(KeyTable::kRight);
    int polls = 0;
    while (!Game().IsJumping() && polls < 30) {
        f.Tick(2);
        ++polls;
    }
    f.Release(KeyTable::kRight);
    ASSERT_TRUE(Game().IsJumping());
    EXPECT_EQ(Player()->GetX() + 48 / 4, 384 + 4) << "the middle half has just left the platform";
}

TEST_F(FormMainTest, RightAtTheEdgeGrowsScrollOffsetOnly)
{
    f.StartGameAt(1);
    StandAt(752);
    f.Press(KeyTable::kRight);
    f.Tick(10);  // five acting polls
    EXPECT_EQ(Player()->GetX(), 752);
    EXPECT_EQ(Game().GetScroll(), 0);
    f.Release(KeyTable::kRight);
    // Left steps now move the player, and the view never moves.
    f.Press(KeyTable::kLeft);
    f.Tick(20);
    EXPECT_EQ(Player()->GetX(), 752 - 10 * 8);
    EXPECT_EQ(Game().GetScroll(), 0);
}

TEST_F(FormMainTest, WalkingAnimatesAndStopsOnItsFrame)
{
    f.StartGameAt(1);
    StandAt(560);
    SpriteDesc* desc = Game().Descriptor(SpriteKinds::Player);
    f.Tick(2);  // no key: the walking range is cleared
    EXPECT_EQ(desc->firstFrame, -1);
    f.Press(KeyTable::kLeft);
    f.Tick(2);
    EXPECT_EQ(desc->firstFrame, 0);
    EXPECT_EQ(desc->lastFrame, 2);
    EXPECT_EQ(Player()->GetFrame(), 0);
    f.Tick(15);  // one 150 ms frame step
    EXPECT_EQ(Player()->GetFrame(), 1);
    f.Release(KeyTable::kLeft);
    f.Tick(2);
    EXPECT_EQ(desc->firstFrame, -1);
    const size_t animations = Game().FrameAnimations().size();
    f.Tick(30);
    EXPECT_EQ(Player()->GetFrame(), 1);
    EXPECT_EQ(Game().FrameAnimations().size(), animations);
    // The letter d walks right like the Right key.
    f.Press('d');
    f.Tick(2);
    EXPECT_EQ(desc->firstFrame, 3);
    EXPECT_EQ(Player()->GetFrame(), 3);
}

TEST_F(FormMainTest, BeeStartsAtItsRightEndAndTurnsAt290)
{
    f.StartGameAt(1);
    f.PlacePlayer(752, 0);  // out of every bee's way
    SpriteApe* bee = Game().Bees()[0];
    EXPECT_EQ(bee->GetX(), 690);
    EXPECT_EQ(bee->GetLastX(), 690) << "drawn there";
    EXPECT_EQ(bee->GetY(), 640 - 120);
    EXPECT_EQ(bee->GetFrame(), 2);

    f.Tick(kTicksPerStep);
    EXPECT_EQ(bee->GetX(), 687);
    f.Tick(kTicksPerStep);
    EXPECT_EQ(bee->GetX(), 684);
    int32_t lowest = bee->GetX();
    int steps = 2;
    while (bee->speed < 0 && steps < 200) {
        f.Tick(kTicksPerStep);
        ++steps;
        lowest = std::min(lowest, bee->GetX());
    }
    EXPECT_EQ(bee->GetX(), 290);
    EXPECT_EQ(lowest, 290);
    EXPECT_EQ(bee->speed, 2);
    EXPECT_LE(bee->GetFrame(), 1) << "facing right";
    f.Tick(kTicksPerStep);
    EXPECT_EQ(bee->GetX(), 293);
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
}

TEST_F(FormMainTest, SaucerOfLayout8PatrolsBetween500And800)
{
    f.StartGameAt(8);
    f.PlacePlayer(0, 0);
    SpriteApe* ufo = Game().Ufos()[1];
    EXPECT_EQ(ufo->GetX(), 800);
    f.Tick(kTicksPerStep);
    EXPECT_EQ(ufo->worldX, 500);
    int32_t low = 500, high = 500;
    for (int step = 0; step < 150; ++step) {
        f.Tick(kTicksPerStep);
        low = std::min(low, ufo->worldX);
        high = std::max(high, ufo->worldX);
    }
    EXPECT_EQ(low, 500);
    EXPECT_EQ(high, 800);
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
}

TEST_F(FormMainTest, FireKillsOnlyInFrames3To8)
{
    f.StartGameAt(6);
    f.FreezeEnemies();
    ASSERT_EQ(Game().Fires().size(), 2u);
    SpriteFire* fire = Game().Fires()[0];
    EXPECT_TRUE(fire->active);
    EXPECT_EQ(fire->GetX(), 220);
    EXPECT_EQ(fire->GetY(), 546);

    // Standing in the fire from frame 9 (counted from 1) on: frames 10, 11,
    // 12, 1 and 2 pass harmlessly, frame 3 kills.
    f.PlacePlayer(210, 518);
    f.OutlastSpawnGrace();
    fire->SetFrame(8);
    Game().Fires()[1]->SetFrame(8);
    const int fireTicks = 33;  // 330 ms
    for (int step = 0; step < 5; ++step) {
        f.Tick(fireTicks);
        ASSERT_EQ(Game().GetGameState(), GameState::Playing) << "step " << step;
    }
    EXPECT_EQ(fire->GetFrame(), 1);
    f.Tick(fireTicks);
    EXPECT_EQ(fire->GetFrame(), 2);
    EXPECT_EQ(Game().GetGameState(), GameState::Restarting);
    EXPECT_EQ(Game().GetLives(), 2);
}

TEST_F(FormMainTest, FireOutsideTheViewIsInactive)
{
    f.StartGameAt(6);
    f.FreezeEnemies();
    f.PlacePlayer(210, 518);
    for (SpriteFire* fire : Game().Fires())
        fire->active = false;
    f.Tick(33 * 14);
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
}

TEST_F(FormMainTest, TwoCoinsInOneCheckGive100PointsAndTwoDings)
{
    f.StartGameAt(1);
    StandAt(560);
    f.PlacePlayer(110, 450);  // over (100, 500) and (150, 500), above (125, 530)
    Game().CoinCheck();
    EXPECT_EQ(Game().GetScore(), 100);
    EXPECT_EQ(Game().CoinsTaken(), 2);
    EXPECT_EQ(Game().VisibleCoins()[1], nullptr);
    EXPECT_EQ(Game().VisibleCoins()[2], nullptr);
    // Each coin plays its own whole ding, overlapping (the device pads each
    // play to whole periods, so the count is at least, not exactly, two dings).
    EXPECT_GE(f.PlayedBytes(), 2 * f.WavDataBytes("Data/ding.wav"));
    EXPECT_GT(Game().GetSound()->Pid(), 0);

    // A collected coin is never collected again.
    Game().CoinCheck();
    EXPECT_EQ(Game().GetScore(), 100);
}

TEST_F(FormMainTest, MissingDingIsLoggedForEachCoin)
{
    f.StartGameAt(1);
    StandAt(560);
    ASSERT_EQ(unlink("Data/ding.wav"), 0);
    f.PlacePlayer(110, 450);
    Game().CoinCheck();
    EXPECT_EQ(Game().GetScore(), 100);
    const std::string log = f.Read("log.txt");
    size_t count = 0;
    for (size_t at = log.find("Data/ding.wav non trovato.\n"); at != std::string::npos;
         at = log.find("Data/ding.wav non trovato.\n", at + 1))
        ++count;
    EXPECT_EQ(count, 2u);
}

TEST_F(FormMainTest, The18thCoinCompletesTheLevelAtTheNextCheck)
{
    f.StartGameAt(1);
    StandAt(560);
    // Over one coin after the other (a check may take a neighbour too).
    for (int check = 0; check < 18 && Game().CoinsTaken() < 18; ++check) {
        const auto& visible = Game().VisibleCoins();
        const auto next = std::find_if(visible.begin(), visible.end(), [](SpriteMonete* c) { return c != nullptr; });
        ASSERT_NE(next, visible.end());
        f.PlacePlayer(std::min((*next)->GetX(), 752), (*next)->GetY() - 20);
        Game().CoinCheck();
    }
    EXPECT_EQ(Game().CoinsTaken(), 18);
    EXPECT_EQ(Game().GetScore(), 900);
    EXPECT_EQ(Game().GetLevel(), 1);
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);

    // The next step of the player completes it.
    f.PlacePlayer(560, 518);
    f.Press(KeyTable::kLeft);
    f.Tick(2);
    EXPECT_EQ(Game().GetLevel(), 2);
    EXPECT_EQ(Game().GetGameState(), GameState::Restarting);
    EXPECT_EQ(f.waits, (std::vector<unsigned>{1, 3}));
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/livello.bin"));
    EXPECT_TRUE(Game().Movements().empty());

    // The restart wait: more than the 1.5 s deadline, on whole seconds.
    f.Tick();
    f.AdvanceClock(1);
    f.Tick(5);
    EXPECT_EQ(Game().GetGameState(), GameState::Restarting);
    f.AdvanceClock(1);
    f.Tick();
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
    EXPECT_EQ(Game().GetLevel(), 2);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/sfondopre2.bin"));
    EXPECT_EQ(Game().GetScore(), 900);
    EXPECT_EQ(Game().CoinsTaken(), 0);
}

TEST_F(FormMainTest, NBehavesLikeTheLastCoin)
{
    f.StartGameAt(3);
    Game().OnKeyPress('n');
    EXPECT_EQ(Game().GetLevel(), 4);
    EXPECT_EQ(Game().GetGameState(), GameState::Restarting);
    EXPECT_EQ(f.waits, (std::vector<unsigned>{1, 3}));
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/livello.bin"));
    EXPECT_TRUE(Game().FrameAnimations().empty());
    EXPECT_TRUE(Game().Movements().empty());
    Game().OnKeyPress('n');  // only while playing
    EXPECT_EQ(Game().GetLevel(), 4);
    f.Tick();
    f.AdvanceClock(2);
    f.Tick();
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/sfondo.bin"));
    EXPECT_EQ(Game().GetScore(), 0);
}

TEST_F(FormMainTest, PauseFreezesEnemiesFiresAndInput)
{
    f.StartGameAt(6);
    ASSERT_TRUE(f.LandPlayer());
    f.Tick(40);
    Game().OnKeyPress('p');
    EXPECT_EQ(Game().GetGameState(), GameState::Paused);
    const int32_t beeX = Game().Bees()[1]->GetX(), fireFrame = Game().Fires()[0]->GetFrame();
    const int32_t playerX = Player()->GetX();
    f.Press(KeyTable::kRight);
    f.Tick(200);
    EXPECT_EQ(Game().Bees()[1]->GetX(), beeX);
    EXPECT_EQ(Game().Fires()[0]->GetFrame(), fireFrame);
    EXPECT_EQ(Player()->GetX(), playerX);

    Game().OnKeyPress('P');
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
    f.Tick(kTicksPerStep);
    EXPECT_NE(Game().Bees()[1]->GetX(), beeX);
    EXPECT_NE(Player()->GetX(), playerX);
}

TEST_F(FormMainTest, LifeLostOnLevel5RestartsLevel5WithAllCoins)
{
    f.StartGameAt(5);
    StandAt(560);
    f.PlacePlayer(110, 450);
    Game().CoinCheck();
    ASSERT_EQ(Game().GetScore(), 100);
    Game().PlayerDies();
    EXPECT_EQ(Game().GetLives(), 2);
    EXPECT_EQ(Game().GetGameState(), GameState::Restarting);
    f.Tick();
    f.AdvanceClock(2);
    f.Tick();
    EXPECT_EQ(Game().GetGameState(), GameState::Playing);
    EXPECT_EQ(Game().GetLevel(), 5);
    EXPECT_EQ(Game().GetScore(), 100);
    EXPECT_EQ(Game().GetLives(), 2);
    EXPECT_EQ(Game().CoinsTaken(), 0);
    EXPECT_EQ(Game().VisibleCoins().size(), 18u);
    EXPECT_EQ(Player()->GetY(), 426) << "a new player";
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/sfondo2.bin"));
}

TEST_F(FormMainTest, ThirdDeathShowsTheGameOverPicture)
{
    f.StartGameAt(1);
    for (int life = 3; life > 1; --life) {
        Game().PlayerDies();
        ASSERT_EQ(Game().GetGameState(), GameState::Restarting);
        f.Tick();
        f.AdvanceClock(2);
        f.Tick();
        ASSERT_EQ(Game().GetGameState(), GameState::Playing);
    }
    Game().PlayerDies();
    EXPECT_EQ(Game().GetLives(), 0);
    EXPECT_EQ(Game().GetGameState(), GameState::NameEntry);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/gameover.bin"));
    EXPECT_EQ(f.waits, (std::vector<unsigned>{1, 3, 3})) << "no wait after the last life";
    f.Tick(100);
    f.AdvanceClock(5);
    f.Tick(10);
    EXPECT_EQ(Game().GetGameState(), GameState::NameEntry);
    Game().OnKeyPress('g');
    EXPECT_EQ(Game().GetGameState(), GameState::NameEntry);
}

TEST_F(FormMainTest, BeeContactKills)
{
    f.StartGameAt(1);
    f.PlacePlayer(600, 518);  // in the path of the first bee (y 520, 690 leftwards)
    f.OutlastSpawnGrace();
    int ticks = 0;
    while (Game().GetGameState() == GameState::Playing && ticks < 600) {
        f.Tick();
        ++ticks;
    }
    EXPECT_EQ(Game().GetGameState(), GameState::Restarting);
    EXPECT_EQ(Game().GetLives(), 2);
    // The boxes shrunk by 5 meet once the bee is less than 48 - 5 - 5 pixels past the player's left.
    EXPECT_LT(Game().Bees()[0]->GetX(), 600 + 48 - 10);
    EXPECT_GE(Game().Bees()[0]->GetX(), 600 + 48 - 10 - 3);
}

// The window manager gets the game's icon: the 48 x 48 picture of Data/icon.bin.
TEST_F(FormMainTest, TheWindowCarriesTheGamesIcon)
{
    Display* display = f.app->GetDisplay();
    XWMHints* hints = XGetWMHints(display, Game().GetWindow());
    ASSERT_NE(hints, nullptr);
    const bool hasIcon = (hints->flags & IconPixmapHint) != 0;
    const Pixmap icon = hints->icon_pixmap;
    XFree(hints);
    ASSERT_TRUE(hasIcon);
    ASSERT_NE(icon, 0u);
    XImage* shown = XGetImage(display, icon, 0, 0, 48, 48, AllPlanes, ZPixmap);
    ASSERT_NE(shown, nullptr);
    const std::string rgb = f.Read("Data/icon.bin");
    ASSERT_EQ(rgb.size(), 48u * 48u * 3u);
    int differing = 0;
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 48; ++x) {
            const size_t i = (static_cast<size_t>(y) * 48 + x) * 3;
            const uint32_t want = (uint32_t(uint8_t(rgb[i])) << 16) | (uint32_t(uint8_t(rgb[i + 1])) << 8) |
                                  uint32_t(uint8_t(rgb[i + 2]));
            differing += GameFixture::Pixel(shown, x, y) != want ? 1 : 0;
        }
    XDestroyImage(shown);
    EXPECT_EQ(differing, 0);

    // The same picture as _NET_WM_ICON, which most window managers read instead.
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(display, Game().GetWindow(), XInternAtom(display, "_NET_WM_ICON", False), 0, 4096,
                                 False, XA_CARDINAL, &type, &format, &count, &after, &data),
              Success);
    ASSERT_NE(data, nullptr);
    const auto* argb = reinterpret_cast<const unsigned long*>(data);
    ASSERT_EQ(count, 2u + 48u * 48u);
    EXPECT_EQ(argb[0], 48u);
    EXPECT_EQ(argb[1], 48u);
    int netDiffering = 0;
    for (size_t i = 0; i < 48u * 48u; ++i) {
        const uint32_t want = (uint32_t(uint8_t(rgb[i * 3])) << 16) | (uint32_t(uint8_t(rgb[i * 3 + 1])) << 8) |
                              uint32_t(uint8_t(rgb[i * 3 + 2]));
        netDiffering += (argb[2 + i] & 0xFFFFFFFFul) != (0xFF000000ul | want) ? 1 : 0;  // longs, maybe sign-extended
    }
    XFree(data);
    EXPECT_EQ(netDiffering, 0);
}
