// The rules of play through the world, step by step and without X: level
// construction, the player's drop, walk, jump and landing, the enemies'
// patrols, fire, coins, the sequences that end a life or a level, the pause.
#include "tests/world/WorldDriver.h"

#include "game/world/SpriteAnim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
constexpr int kStepsPerMove = 6;  // a 60 ms jump or patrol step
constexpr int kFireFrameSteps = 33;  // 330 ms

class WorldRules : public ::testing::Test {
protected:
    World& W() { return d.world; }
    Playfield& Field() { return d.world.Field(); }
    SpritePlayer* Player() { return Field().GetPlayer(); }

    // Steps one at a time, recording the player's y whenever it changes.
    std::vector<int32_t> TrackPlayerY(int steps)
    {
        std::vector<int32_t> ys{Player()->GetY()};
        for (int i = 0; i < steps && W().GetGameState() == GameState::Playing; ++i) {
            d.Step();
            if (Player()->GetY() != ys.back())
                ys.push_back(Player()->GetY());
        }
        return ys;
    }
    // The player standing on the ground at x, enemies frozen.
    void StandAt(int32_t x)
    {
        d.FreezeEnemies();
        ASSERT_TRUE(d.LandPlayer());
        d.PlacePlayer(x, 518);
    }
    // The number of cues of a kind in the last step.
    int CuesOf(Cue::Kind kind, Sound sound = Sound::Coin)
    {
        return static_cast<int>(std::count_if(W().Cues().begin(), W().Cues().end(), [&](const Cue& cue) {
            return cue.kind == kind && (kind != Cue::Kind::PlaySound || cue.sound == sound);
        }));
    }
    WorldDriver d;
};

TEST_F(WorldRules, Level9PlaysLayout1AndLevel16Layout8)
{
    W().StartGame(9);
    EXPECT_EQ(W().GetLevel(), 9);
    EXPECT_EQ(W().GetBackdrop(), Backdrop::Level);
    EXPECT_EQ(W().BackdropLayout(), 1);
    EXPECT_EQ(Field().Bees().size(), 3u);
    EXPECT_TRUE(Field().Ufos().empty());
    EXPECT_TRUE(Field().FirePositions().empty());
    EXPECT_EQ(Field().PlatformTiles().size(), 2u) << "columns 4 and 5; 15 lies beyond the view";

    W().StartGame(16);
    EXPECT_EQ(W().BackdropLayout(), 8);
    EXPECT_EQ(Field().Ufos().size(), 4u);
    EXPECT_TRUE(Field().Bees().empty());
    EXPECT_EQ(Field().FirePositions(), std::vector<int32_t>{250});
    EXPECT_EQ(Field().CoinsTotal(), 18);
    // Layout 8's second coin list: (600, 340) is coin 3.
    EXPECT_EQ(Field().VisibleCoins()[3]->GetY(), 340);
}

TEST_F(WorldRules, LevelStartPlacesTilesCoinsAndTheStatusLine)
{
    W().StartGame(1);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
    EXPECT_TRUE(W().ShowsStatusLine());
    // Columns 0-13 at scroll 0: 14 ground tiles, vegetation in 1, 6, 9 and 13.
    ASSERT_EQ(Field().GroundTiles().size(), 14u);
    EXPECT_EQ(Field().GroundTiles()[13]->GetX(), 13 * 64);
    EXPECT_EQ(Field().GroundTiles()[0]->GetY(), 576);
    ASSERT_EQ(Field().VegetationTiles().size(), 4u);
    EXPECT_EQ(Field().VegetationTiles()[1]->GetX(), 6 * 64);
    EXPECT_EQ(Field().VegetationTiles()[1]->GetFrame(), 1);
    EXPECT_EQ(Field().VegetationTiles()[0]->GetY(), 512);
    ASSERT_EQ(Field().PlatformTiles().size(), 2u);
    EXPECT_EQ(Field().PlatformTiles()[0]->GetY(), 452);
    EXPECT_EQ(Field().PlatformTiles()[0]->GetHeight(), 32);
    EXPECT_EQ(Field().CoinsTotal(), 18);
    ASSERT_EQ(Field().VisibleCoins().size(), 18u);
    EXPECT_EQ(Field().VisibleCoins()[0]->GetX(), 0);
    EXPECT_EQ(Field().VisibleCoins()[0]->GetY(), 400);

    // Every level builds its tiles afresh: layout 8 has ground in columns 0-12 only.
    W().StartGame(8);
    EXPECT_EQ(Field().GroundTiles().size(), 13u);
}

TEST_F(WorldRules, PlayerDropsFrom426AndLandsAt518)
{
    W().StartGame(1);
    d.FreezeEnemies();
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(Player()->GetX(), 376);
    EXPECT_EQ(Player()->GetY(), 426);
    EXPECT_EQ(Player()->GetFrame(), 3);
    EXPECT_TRUE(Field().Jump().active);

    // The fall begins with the top-of-the-rise step, then 8 pixels per step.
    d.Step(kStepsPerMove);
    EXPECT_EQ(Player()->GetY(), 426);
    d.Step(kStepsPerMove);
    EXPECT_EQ(Player()->GetY(), 434);
    // From 506 the step to 514 brings the feet onto the ground row (576):
    // the player is set six pixels deep into it, at 518, in the same step.
    std::vector<int32_t> expected;
    for (int32_t y = 434; y <= 506; y += 8)
        expected.push_back(y);
    expected.push_back(518);
    EXPECT_EQ(TrackPlayerY(200), expected);
    EXPECT_FALSE(Field().Jump().active);
    EXPECT_TRUE(Field().Movements().empty());
}

TEST_F(WorldRules, WalkingIntoLayout7sHoleEndsInDeath)
{
    W().StartGame(7);
    d.FreezeEnemies();
    ASSERT_TRUE(d.LandPlayer());
    EXPECT_EQ(Player()->GetY(), 518);
    d.Press(KeyTable::kRight);
    int32_t lowest = 0;
    for (int i = 0; i < 400 && W().GetGameState() == GameState::Playing; ++i) {
        d.Step();
        lowest = std::max(lowest, Player()->GetY());
    }
    EXPECT_EQ(lowest, 574) << "the last y inside the area";
    EXPECT_GT(Player()->GetX(), 7 * 64 - 24);
    EXPECT_EQ(W().GetLives(), 2);
    EXPECT_TRUE(W().Field().GetSpawnGrace().Protects()) << "holes kill during the grace too";
    EXPECT_EQ(W().GetGameState(), GameState::LifeLost);
    EXPECT_EQ(W().GetBackdrop(), Backdrop::LifeLost);
    EXPECT_EQ(CuesOf(Cue::Kind::PlaySound, Sound::Cry), 1);
    EXPECT_TRUE(Field().FrameAnimations().empty());
    EXPECT_TRUE(Field().Movements().empty());
}

TEST_F(WorldRules, JumpRises19StepsThenFalls)
{
    W().StartGame(1);
    StandAt(560);
    d.Press(KeyTable::kUp);
    d.Step(2);
    ASSERT_TRUE(Field().Jump().active);
    d.Release(KeyTable::kUp);
    const std::vector<int32_t> ys = TrackPlayerY(400);
    const auto top = std::min_element(ys.begin(), ys.end());
    EXPECT_EQ(*top, 518 - 19 * 8);
    EXPECT_EQ(top - ys.begin(), 19) << "19 rising steps";
    EXPECT_EQ(ys.back(), 518);
    EXPECT_FALSE(Field().Jump().active);
}

TEST_F(WorldRules, DownDuringTheRiseEndsItAtTheNextStep)
{
    W().StartGame(1);
    StandAt(560);
    d.Press(KeyTable::kUp);
    d.Step(2);
    d.Release(KeyTable::kUp);
    while (Player()->GetY() > 518 - 5 * 8)
        d.Step();
    d.Press(KeyTable::kDown);
    d.Step(2);
    d.Release(KeyTable::kDown);
    EXPECT_EQ(Field().Jump().progress, Field().Jump().height);
    // The next step is the top (no move), the one after falls.
    int steps = 0;
    while (Field().Jump().step < 0 && steps < 20) {
        d.Step();
        ++steps;
    }
    EXPECT_EQ(Player()->GetY(), 478);
    EXPECT_LE(steps, kStepsPerMove);
    const std::vector<int32_t> ys = TrackPlayerY(200);
    EXPECT_EQ(*std::min_element(ys.begin(), ys.end()), 478);
    ASSERT_GE(ys.size(), 2u);
    EXPECT_EQ(ys[1], 486);
    EXPECT_EQ(ys.back(), 518);

    // Down while falling changes nothing.
    Field().Jump().progress = 0;
    d.PlacePlayer(560, 400);
    Field().StartFall();
    d.Press(KeyTable::kDown);
    d.Step(2 * kStepsPerMove + 2);
    EXPECT_GT(Field().Jump().step, 0);
    EXPECT_EQ(Field().Jump().progress, 0);
}

TEST_F(WorldRules, JumpUnderAPlatformStopsRising)
{
    W().StartGame(1);
    StandAt(312);  // under the platform of column 5 (x 320-383)
    d.Press(KeyTable::kUp);
    d.Step(2);
    d.Release(KeyTable::kUp);
    const std::vector<int32_t> ys = TrackPlayerY(300);
    // The platform's bottom (484) enters the player's height at y 478.
    EXPECT_EQ(*std::min_element(ys.begin(), ys.end()), 478);
    EXPECT_EQ(ys.back(), 518);
}

TEST_F(WorldRules, LandsOnAPlatformSixPixelsDeepAndFallsOffItsEdge)
{
    W().StartGame(1);
    d.FreezeEnemies();
    d.PlacePlayer(320, 300);
    Field().StartFall();
    ASSERT_TRUE(d.LandPlayer());
    EXPECT_EQ(Player()->GetY(), 452 - 64 + 6);

    // Walking off its right edge starts the fall in the same poll.
    d.Press(KeyTable::kRight);
    int polls = 0;
    while (!Field().Jump().active && polls < 30) {
        d.Step(2);
        ++polls;
    }
    ASSERT_TRUE(Field().Jump().active);
    EXPECT_EQ(Player()->GetX() + 48 / 4, 384 + 4) << "the middle half has just left the platform";
}

TEST_F(WorldRules, RightAtTheEdgeGrowsScrollOffsetOnly)
{
    W().StartGame(1);
    StandAt(752);
    d.Press(KeyTable::kRight);
    d.Step(10);  // five acting polls
    EXPECT_EQ(Player()->GetX(), 752);
    EXPECT_EQ(Field().GetScroll(), 0);
    EXPECT_EQ(Field().GetScrollOffset(), 5 * 8);
    d.Release(KeyTable::kRight);
    // Left steps now move the player, and the view never moves.
    d.Press(KeyTable::kLeft);
    d.Step(20);
    EXPECT_EQ(Player()->GetX(), 752 - 10 * 8);
    EXPECT_EQ(Field().GetScroll(), 0);
}

TEST_F(WorldRules, WalkingAnimatesAndStopsOnItsFrame)
{
    W().StartGame(1);
    StandAt(560);
    auto range = [this] { return Player()->GetFrameRange(); };
    d.Step(2);  // no key: the walking range is cleared
    EXPECT_EQ(range().first, -1);
    d.Press(KeyTable::kLeft);
    d.Step(2);
    EXPECT_EQ(range().first, 0);
    EXPECT_EQ(range().last, 2);
    EXPECT_EQ(Player()->GetFrame(), 0);
    d.Step(15);  // one 150 ms frame step
    EXPECT_EQ(Player()->GetFrame(), 1);
    d.Release(KeyTable::kLeft);
    d.Step(2);
    EXPECT_EQ(range().first, -1);
    const size_t animations = Field().FrameAnimations().size();
    d.Step(30);
    EXPECT_EQ(Player()->GetFrame(), 1);
    EXPECT_EQ(Field().FrameAnimations().size(), animations);
    // The letter d walks right like the Right key.
    d.Press('d');
    d.Step(2);
    EXPECT_EQ(range().first, 3);
    EXPECT_EQ(Player()->GetFrame(), 3);
    EXPECT_EQ(Field().Descriptor(SpriteKinds::Player)->firstFrame, 0) << "the kind's descriptor stays";
}

// A new player walks with its legs moving, either way, even when the last
// one died walking the same way: each sprite has its own frame range, and a
// new player stands.
TEST_F(WorldRules, ANewPlayerAnimatesItsWalkWhateverTheLastOneDid)
{
    const struct {
        uint32_t key;
        std::vector<int32_t> frames;
    } walks[] = {{KeyTable::kRight, {3, 4, 5}}, {KeyTable::kLeft, {0, 1, 2}}};
    for (const auto& walk : walks) {
        WorldDriver driver;
        driver.world.StartGame(1);
        driver.FreezeEnemies();
        driver.PlacePlayer(300, 518);
        driver.Press(walk.key);
        driver.Step(2);
        driver.world.PlayerDies();
        driver.StepWhile(GameState::LifeLost);
        driver.StepWhile(GameState::Restarting);
        ASSERT_EQ(driver.world.GetGameState(), GameState::Playing);
        std::vector<int32_t> frames;
        for (int i = 0; i < 40; ++i) {
            driver.Step();
            const int32_t frame = driver.world.Field().GetPlayer()->GetFrame();
            if (frames.empty() || frames.back() != frame)
                frames.push_back(frame);
        }
        EXPECT_EQ(frames, walk.frames) << (walk.key == KeyTable::kLeft ? "left" : "right");
    }
}

TEST_F(WorldRules, BeeStartsAtItsRightEndAndTurnsAt290)
{
    W().StartGame(1);
    d.PlacePlayer(752, 0);  // out of every bee's way
    SpriteApe* bee = Field().Bees()[0];
    EXPECT_EQ(bee->GetX(), 690);
    EXPECT_EQ(bee->GetLastX(), 690) << "shown there";
    EXPECT_EQ(bee->GetY(), 640 - 120);
    EXPECT_EQ(bee->GetFrame(), 2);

    d.Step(kStepsPerMove);
    EXPECT_EQ(bee->GetX(), 687);
    d.Step(kStepsPerMove);
    EXPECT_EQ(bee->GetX(), 684);
    int32_t lowest = bee->GetX();
    int moves = 2;
    while (bee->speed < 0 && moves < 200) {
        d.Step(kStepsPerMove);
        ++moves;
        lowest = std::min(lowest, bee->GetX());
    }
    EXPECT_EQ(bee->GetX(), 290);
    EXPECT_EQ(lowest, 290);
    EXPECT_EQ(bee->speed, 2);
    EXPECT_LE(bee->GetFrame(), 1) << "facing right";
    d.Step(kStepsPerMove);
    EXPECT_EQ(bee->GetX(), 293);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
}

TEST_F(WorldRules, SaucerOfLayout8PatrolsBetween500And800)
{
    W().StartGame(8);
    d.PlacePlayer(0, 0);
    SpriteApe* ufo = Field().Ufos()[1];
    EXPECT_EQ(ufo->GetX(), 800);
    d.Step(kStepsPerMove);
    EXPECT_EQ(ufo->worldX, 500);
    int32_t low = 500, high = 500;
    for (int move = 0; move < 150; ++move) {
        d.Step(kStepsPerMove);
        low = std::min(low, ufo->worldX);
        high = std::max(high, ufo->worldX);
    }
    EXPECT_EQ(low, 500);
    EXPECT_EQ(high, 800);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
}

// From every frame of its cycle, a fire touching the player harms it at the
// first frame step that shows frame 3 to 8 (counted from 1), and not before.
TEST(WorldFire, KillsOnlyInFrames3To8)
{
    for (int32_t start = 1; start <= 12; ++start) {
        WorldDriver d;
        d.world.StartGame(6);
        d.FreezeEnemies();
        Playfield& field = d.world.Field();
        ASSERT_EQ(field.Fires().size(), 2u);
        SpriteFire* fire = field.Fires()[0];
        EXPECT_TRUE(fire->active);
        EXPECT_EQ(fire->GetX(), 220);
        EXPECT_EQ(fire->GetY(), 546);
        d.PlacePlayer(210, 518);
        d.OutlastSpawnGrace();
        for (SpriteFire* each : field.Fires())
            each->SetFrame(start - 1);
        int32_t shown = start;
        while (true) {
            d.Step(kFireFrameSteps);
            shown = shown % 12 + 1;
            ASSERT_EQ(fire->GetFrame() + 1, shown) << "from frame " << start;
            const bool burns = shown >= 3 && shown <= 8;
            ASSERT_EQ(d.world.GetGameState() == GameState::LifeLost, burns) << "from frame " << start << " at " << shown;
            if (burns)
                break;
        }
        EXPECT_EQ(d.world.GetLives(), 2);
    }
}

TEST_F(WorldRules, FireOutsideTheViewIsInactive)
{
    W().StartGame(6);
    d.FreezeEnemies();
    d.PlacePlayer(210, 518);
    d.OutlastSpawnGrace();
    for (SpriteFire* fire : Field().Fires())
        fire->active = false;
    d.Step(kFireFrameSteps * 14);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
}

TEST_F(WorldRules, TwoCoinsInOneCheckGive100PointsAndTwoDings)
{
    W().StartGame(1);
    StandAt(560);
    d.Step();
    d.PlacePlayer(110, 450);  // over (100, 500) and (150, 500), above (125, 530)
    Field().CoinCheck();
    EXPECT_EQ(W().GetScore(), 100);
    EXPECT_EQ(Field().CoinsTaken(), 2);
    EXPECT_EQ(Field().VisibleCoins()[1], nullptr);
    EXPECT_EQ(Field().VisibleCoins()[2], nullptr);
    EXPECT_FALSE(Field().Coins()[1]->IsPlaced()) << "a taken coin is off the field";
    EXPECT_EQ(CuesOf(Cue::Kind::PlaySound, Sound::Coin), 2) << "each coin its own ding";

    // A collected coin is never collected again.
    Field().CoinCheck();
    EXPECT_EQ(W().GetScore(), 100);
}

TEST_F(WorldRules, The18thCoinCompletesTheLevelAtOnce)
{
    W().StartGame(1);
    StandAt(560);
    // Over one coin after the other (a check may take a neighbour too).
    for (int check = 0; check < 18 && Field().CoinsTaken() < 18; ++check) {
        ASSERT_EQ(W().GetGameState(), GameState::Playing) << "finished before the 18th coin";
        const auto& visible = Field().VisibleCoins();
        const auto next = std::find_if(visible.begin(), visible.end(), [](SpriteMonete* c) { return c != nullptr; });
        ASSERT_NE(next, visible.end());
        d.PlacePlayer(std::min((*next)->GetX(), 752), (*next)->GetY() - 20);
        Field().CoinCheck();
    }
    EXPECT_EQ(Field().CoinsTaken(), 18);
    EXPECT_EQ(W().GetScore(), 900);
    EXPECT_EQ(W().GetLevel(), 2);
    EXPECT_EQ(W().GetGameState(), GameState::LevelDone);
    EXPECT_EQ(W().GetBackdrop(), Backdrop::LevelDone);
    EXPECT_TRUE(Field().Movements().empty());

    // Three seconds of the picture, then a second and a half before the level.
    EXPECT_EQ(d.StepWhile(GameState::LevelDone), 300);
    EXPECT_EQ(d.StepWhile(GameState::Restarting), 150);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
    EXPECT_EQ(W().GetLevel(), 2);
    EXPECT_EQ(W().BackdropLayout(), 2);
    EXPECT_EQ(W().GetScore(), 900);
    EXPECT_EQ(Field().CoinsTaken(), 0);
}

// A player who stops on the last coin, in a bee's path, finishes the level:
// the bee does not take the life, nor all 18 coins with it.
TEST_F(WorldRules, StoppingOnTheLastCoinInABeesPathFinishesTheLevel)
{
    W().StartGame(1);
    d.OutlastSpawnGrace();
    d.PlacePlayer(600, 518);  // the first bee (y 520) comes from 690 leftwards
    // Every coin but (650, 500), which the player reaches by walking right.
    for (const SpriteMonete* coin : Field().VisibleCoins())
        if (coin != nullptr && !(coin->GetX() == 650 && coin->GetY() == 500)) {
            Field().GetPlayer()->SetPosition(std::min(coin->GetX(), 752), coin->GetY() - 20);
            Field().CoinCheck();
        }
    d.PlacePlayer(600, 518);
    ASSERT_EQ(Field().CoinsTaken(), 17);
    // One step right onto it, and the player stops there.
    d.Press(KeyTable::kRight);
    for (int step = 0; step < 4 && Field().CoinsTaken() < 18; ++step)
        d.Step();
    d.Release(KeyTable::kRight);
    ASSERT_EQ(Field().CoinsTaken(), 18);
    d.Step(300);
    EXPECT_EQ(W().GetLives(), 3);
    EXPECT_EQ(W().GetLevel(), 2);
    EXPECT_NE(W().GetGameState(), GameState::LifeLost);
}

TEST_F(WorldRules, NBehavesLikeTheLastCoin)
{
    W().StartGame(3);
    d.Type('n');
    d.Step();
    EXPECT_EQ(W().GetLevel(), 4);
    EXPECT_EQ(W().GetGameState(), GameState::LevelDone);
    EXPECT_EQ(CuesOf(Cue::Kind::WaitBegan), 1);
    EXPECT_EQ(W().GetBackdrop(), Backdrop::LevelDone);
    EXPECT_TRUE(Field().FrameAnimations().empty());
    EXPECT_TRUE(Field().Movements().empty());
    d.Type('n');  // only while playing
    d.Step();
    EXPECT_EQ(W().GetLevel(), 4);
    d.StepWhile(GameState::LevelDone);
    d.StepWhile(GameState::Restarting);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
    EXPECT_EQ(W().BackdropLayout(), 4);
    EXPECT_EQ(W().GetScore(), 0);
}

TEST_F(WorldRules, PauseFreezesEnemiesFiresAndInput)
{
    W().StartGame(6);
    ASSERT_TRUE(d.LandPlayer());
    d.Step(40);
    d.Type('p');
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::Paused);
    EXPECT_EQ(W().GetBanner(), Banner::Paused);
    const int32_t beeX = Field().Bees()[1]->GetX(), fireFrame = Field().Fires()[0]->GetFrame();
    const int32_t playerX = Player()->GetX();
    d.Press(KeyTable::kRight);
    d.Type('n');  // nor does N skip the level
    d.Step(200);
    EXPECT_EQ(Field().Bees()[1]->GetX(), beeX);
    EXPECT_EQ(Field().Fires()[0]->GetFrame(), fireFrame);
    EXPECT_EQ(Player()->GetX(), playerX);
    EXPECT_EQ(W().GetLevel(), 6);

    d.Type('P');
    d.Step(kStepsPerMove);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
    EXPECT_EQ(W().GetBanner(), Banner::Hidden);
    EXPECT_NE(Field().Bees()[1]->GetX(), beeX);
    EXPECT_NE(Player()->GetX(), playerX);
}

// Looking away (the window losing the keyboard) pauses a game in play as P
// does, and it stays paused until P; on the title or in the name entry it
// changes nothing.
TEST_F(WorldRules, LookingAwayPausesPlayUntilP)
{
    d.ToTitle();
    d.Add(StepInput::Event::LookedAway);
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::Title);
    W().StartGame(1);
    d.Step(30);
    d.Add(StepInput::Event::LookedAway);
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::Paused);
    EXPECT_EQ(W().GetBanner(), Banner::Paused);
    const int32_t y = Player()->GetY();
    d.Step(500);
    EXPECT_EQ(Player()->GetY(), y);
    EXPECT_EQ(W().GetLives(), 3);
    d.Add(StepInput::Event::LookedAway);  // again, once back: still paused
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::Paused);
    d.Type('p');
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::Playing);

    // Looking away while a lost life's pictures show: the level comes back paused.
    W().PlayerDies();
    d.Step(10);
    d.Add(StepInput::Event::LookedAway);
    d.StepWhile(GameState::LifeLost);
    d.StepWhile(GameState::Restarting);
    EXPECT_EQ(W().GetGameState(), GameState::Paused);
    EXPECT_EQ(W().GetBanner(), Banner::Paused);
    d.Type('p');
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::Playing);

    W().PlayerDies();
    W().PlayerDies();
    ASSERT_EQ(W().GetGameState(), GameState::NameEntry);
    d.Add(StepInput::Event::LookedAway);
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::NameEntry);
}

// With free keys Right stays held while Up is pressed: a running jump goes
// further than the jump of the default keys, where Up lets go of Right.
TEST_F(WorldRules, WithFreeKeysARunningJumpGoesFurther)
{
    auto jumpLength = [](bool freeKeys) {
        WorldDriver driver;
        driver.keys.SetSingleKey(!freeKeys);
        driver.world.StartGame(1);
        driver.FreezeEnemies();
        driver.PlacePlayer(100, 518);
        driver.Press(KeyTable::kRight);
        driver.Step(10);
        driver.Press(KeyTable::kUp);
        driver.Step(4);
        driver.Release(KeyTable::kUp);
        while (driver.world.Field().Jump().active)
            driver.Step();
        return driver.world.Field().GetPlayer()->GetX() - 100;
    };
    const int32_t oneAtATime = jumpLength(false), free = jumpLength(true);
    EXPECT_EQ(oneAtATime, 5 * 8) << "Up let go of Right: the jump stood where the walk stopped";
    EXPECT_GT(free - oneAtATime, 250) << "walking on through the whole jump";
}

TEST_F(WorldRules, LifeLostOnLevel5RestartsLevel5WithAllCoins)
{
    W().StartGame(5);
    StandAt(560);
    d.PlacePlayer(110, 450);
    Field().CoinCheck();
    ASSERT_EQ(W().GetScore(), 100);
    W().PlayerDies();
    EXPECT_EQ(W().GetLives(), 2);
    EXPECT_EQ(W().GetGameState(), GameState::LifeLost);
    EXPECT_FALSE(W().ShowsStatusLine()) << "the picture covers it";
    EXPECT_EQ(d.StepWhile(GameState::LifeLost), 300);
    EXPECT_EQ(d.StepWhile(GameState::Restarting), 150);
    EXPECT_EQ(W().GetGameState(), GameState::Playing);
    EXPECT_EQ(W().GetLevel(), 5);
    EXPECT_EQ(W().GetScore(), 100);
    EXPECT_EQ(W().GetLives(), 2);
    EXPECT_EQ(Field().CoinsTaken(), 0);
    EXPECT_EQ(Field().VisibleCoins().size(), 18u);
    EXPECT_EQ(Player()->GetY(), 426) << "a new player";
    EXPECT_EQ(W().BackdropLayout(), 5);
    EXPECT_TRUE(W().ShowsStatusLine());
}

TEST_F(WorldRules, ThirdDeathShowsTheGameOverPictureAndOpensTheNameEntry)
{
    W().StartGame(1);
    for (int life = 3; life > 1; --life) {
        W().PlayerDies();
        d.StepWhile(GameState::LifeLost);
        d.StepWhile(GameState::Restarting);
        ASSERT_EQ(W().GetGameState(), GameState::Playing);
    }
    d.Step();
    W().PlayerDies();
    EXPECT_EQ(W().GetLives(), 0);
    EXPECT_EQ(W().GetGameState(), GameState::NameEntry);
    EXPECT_EQ(W().GetBackdrop(), Backdrop::GameOver);
    EXPECT_EQ(CuesOf(Cue::Kind::OpenNameEntry), 1);
    EXPECT_EQ(CuesOf(Cue::Kind::WaitBegan), 0) << "no wait after the last life";
    d.Type('g');
    d.Step(500);
    EXPECT_EQ(W().GetGameState(), GameState::NameEntry);

    // The name entry's end: "PRESS ANY KEY", and any key (also one that types
    // nothing, seen as its release) goes back to the title.
    d.Add(StepInput::Event::NameEntered);
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::ScoreRecorded);
    EXPECT_EQ(W().GetBanner(), Banner::PressAnyKey);
    d.Add(StepInput::Event::KeyReleased);
    d.Step();
    EXPECT_EQ(W().GetGameState(), GameState::Loading);
    EXPECT_EQ(W().GetBanner(), Banner::Hidden);
    EXPECT_EQ(d.StepWhile(GameState::Loading), 99) << "a second of loading, the step that began it included";
    EXPECT_EQ(W().GetGameState(), GameState::Title);
    EXPECT_EQ(Field().GetPlayer(), nullptr) << "the last game's sprites went";
}

TEST_F(WorldRules, BeeContactKills)
{
    W().StartGame(1);
    d.PlacePlayer(600, 518);  // in the path of the first bee (y 520, 690 leftwards)
    d.OutlastSpawnGrace();
    int steps = 0;
    while (W().GetGameState() == GameState::Playing && steps < 600) {
        d.Step();
        ++steps;
    }
    EXPECT_EQ(W().GetGameState(), GameState::LifeLost);
    EXPECT_EQ(W().GetLives(), 2);
    // The boxes shrunk by 5 meet once the bee is less than 48 - 5 - 5 pixels past the player's left.
    EXPECT_LT(Field().Bees()[0]->GetX(), 600 + 48 - 10);
    EXPECT_GE(Field().Bees()[0]->GetX(), 600 + 48 - 10 - 3);
}

}  // namespace
