// The game on its form, on the private X server: the pictures it loads, the
// frame it composes from the world, the sounds it plays, the window's icon.
// The rules themselves are tested headless through the world (tests/world).
// gtest first: the X headers define macros (None, Bool) that clash with it.
#include <gtest/gtest.h>

#include "game/FormMain.h"
#include "game/FramePicture.h"
#include "services/SoundPlayer.h"
#include "tests/common/ChildWatch.h"
#include "tests/common/XTestSupport.h"
#include "tests/game/GameFixture.h"
#include "tests/game/GameFormSupport.h"
#include "tests/world/WorldDriver.h"

#include "app/EventLoop.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <random>
#include <unistd.h>

namespace {

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BRUVO_SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(f.Ready());
    }

    TestGame& Game() { return *f.game; }
    Playfield& Field() { return f.W().Field(); }

    GameFixture f;
};
}  // namespace

TEST_F(FormMainTest, TheTitleShowsTheTitlePictureAndTheMakerLineWithEveryStripLoaded)
{
    EXPECT_EQ(f.W().GetGameState(), GameState::Title);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/logo.bin"));
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
        EXPECT_NE(Game().GetPicture(kind), nullptr) << "strip " << kind;

    // The maker line in red at (210, 135), in the scene; the window gets it at the next present.
    int red = 0;
    for (int32_t y = 135; y < 153; ++y)
        for (int32_t x = 210; x < 400; ++x)
            red += GameFixture::Pixel(Game().GetScena(), x, y) == 0xFF0000 ? 1 : 0;
    EXPECT_GT(red, 20);
    f.Tick(6);
    EXPECT_EQ(xtest::CountColour(Game().GetWindow(), 210, 135, 190, 18, 0xFF0000), red);
}

// The frame shows each sprite of the world where the world last drew it,
// with its frame of its kind's strip (black pixels of the strip transparent).
TEST_F(FormMainTest, TheFrameShowsTheWorldsSpritesFromTheirStrips)
{
    f.StartGameAt(6);
    f.Tick(60);
    std::vector<const Sprite*> moving;
    Field().ForEachSprite([&moving](const Sprite& sprite) {
        if (sprite.IsVisible() && !sprite.IsInScene())
            moving.push_back(&sprite);
    });
    ASSERT_GE(moving.size(), 4u) << "fires, bees and the player";
    const Sprite& top = *moving.back();  // the player, over everything
    ASSERT_EQ(top.GetPicture(), SpriteKinds::Player);
    XImage* strip = Game().GetPicture(SpriteKinds::Player);
    int checked = 0;
    for (int32_t y = 0; y < top.GetHeight(); ++y)
        for (int32_t x = 0; x < top.GetWidth(); ++x) {
            const uint32_t ink = GameFixture::Pixel(strip, x, top.GetDrawnFrame() * top.GetHeight() + y);
            if (ink == 0)
                continue;
            ASSERT_EQ(GameFixture::Pixel(Game().GetScreenBuffer(), top.GetLastX() + x, top.GetLastY() + y), ink)
                << x << "," << y;
            ++checked;
        }
    EXPECT_GT(checked, 500);
    // A ground tile is part of the scene.
    const SpriteTilesTerreno* ground = Field().GroundTiles()[0];
    EXPECT_EQ(GameFixture::Pixel(Game().GetScena(), ground->GetLastX() + 32, ground->GetLastY() + 40),
              GameFixture::Pixel(Game().GetPicture(SpriteKinds::Tiles), 32, 40));
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/sfondo3.bin"));
}

TEST_F(FormMainTest, TwoCoinsInOneCheckPlayTwoDingsAndAMissingDingIsLoggedForEachCoin)
{
    f.StartGameAt(1);
    PlacePlayer(Field(), 110, 450);  // over (100, 500) and (150, 500)
    Field().CoinCheck();
    f.Tick();
    EXPECT_EQ(f.W().GetScore(), 100);
    // Each coin plays its own whole ding, overlapping (the device pads each
    // play to whole periods, so the count is at least, not exactly, two dings).
    EXPECT_GE(f.PlayedBytes(), 2 * f.WavDataBytes("Data/ding.wav"));
    EXPECT_GT(Game().GetSound()->Pid(), 0);

    ASSERT_EQ(unlink("Data/ding.wav"), 0);
    Field().GetPlayer()->SetPosition(590, 450);  // over (600, 500) and (580, 500)
    Field().CoinCheck();
    f.Tick();
    EXPECT_EQ(f.W().GetScore(), 200);
    const std::string log = f.Read("log.txt");
    size_t count = 0;
    for (size_t at = log.find("Data/ding.wav non trovato.\n"); at != std::string::npos;
         at = log.find("Data/ding.wav non trovato.\n", at + 1))
        ++count;
    EXPECT_EQ(count, 2u);
}

// P freezes the frame under "PAUSED"; P again takes the banner away whole.
TEST_F(FormMainTest, PShowsPausedOverTheFrozenFrameAndPAgainTakesItAway)
{
    f.StartGameAt(1);
    f.Tick(60);
    Game().OnKeyPress('p');
    f.Tick();
    ASSERT_EQ(f.W().GetGameState(), GameState::Paused);
    const std::string paused = gametest::Snapshot(Game().GetScreenBuffer());
    f.Tick(100);
    EXPECT_EQ(gametest::Snapshot(Game().GetScreenBuffer()), paused) << "nothing moves while paused";
    Game().OnKeyPress('P');
    f.Tick();
    // The band of the banner shows the scene again (nothing moves there in level 1).
    for (int32_t y = FrameLayout::kPausedY - 20; y < FrameLayout::kPausedY + 20; ++y)
        for (int32_t x = 300; x < 500; ++x)
            ASSERT_EQ(GameFixture::Pixel(Game().GetScreenBuffer(), x, y), GameFixture::Pixel(Game().GetScena(), x, y))
                << x << "," << y;
    EXPECT_EQ(f.W().GetGameState(), GameState::Playing);
}

// After any run of play with its pictures, pauses and exposes, the window
// shows exactly the frame.
TEST_F(FormMainTest, TheWindowEqualsTheFrameAfterAnyChanges)
{
    f.StartGameAt(6);
    std::mt19937 random(19);
    const KeySym keys[] = {XK_Left, XK_Right, XK_Up, XK_Down};
    Display* display = f.app->GetDisplay();
    auto windowEqualsFrame = [&](const char* when) {
        const std::vector<uint32_t> shown = xtest::ReadPixels(Game().GetWindow(), 0, 0, 800, 640);
        ASSERT_EQ(shown.size(), 800u * 640u) << when;
        int wrong = 0;
        for (int32_t y = 0; y < 640; ++y)
            for (int32_t x = 0; x < 800; ++x)
                wrong += shown[size_t(y) * 800 + size_t(x)] != GameFixture::Pixel(Game().GetScreenBuffer(), x, y);
        EXPECT_EQ(wrong, 0) << when;
    };
    for (int round = 0; round < 12; ++round) {
        const KeySym key = keys[random() % 4];
        f.Press(key);
        f.Tick(static_cast<int>(random() % 40) + 1);
        f.Release(key);
        switch (round) {
        case 3:
            Game().OnKeyPress('p');  // the pause's banner
            break;
        case 5:
            Game().OnKeyPress('p');
            break;
        case 7:
            f.W().PlayerDies();  // a full-screen picture
            break;
        case 9:
            XClearArea(display, Game().GetWindow(), 0, 0, 0, 0, False);
            Game().Paint();  // what the loop does on the expose
            break;
        default:
            break;
        }
        f.Tick();
        windowEqualsFrame(("round " + std::to_string(round)).c_str());
        if (f.W().IsWaiting())
            f.SkipWait();
    }
}

// K on the title switches the keys between one at a time and free: the key
// table follows, the title says which, the settings file keeps it.
TEST_F(FormMainTest, KOnTheTitleSwitchesTheKeysAndKeepsTheChoice)
{
    auto keysLineInk = [this] {
        int white = 0;
        for (int32_t y = 620; y < 638; ++y)
            for (int32_t x = 480; x < 700; ++x)
                white += GameFixture::Pixel(Game().GetScena(), x, y) == 0xFFFFFF ? 1 : 0;
        return white;
    };
    EXPECT_TRUE(Game().GetKeyTable().IsSingleKey());
    const int oneAtATime = keysLineInk();
    EXPECT_GT(oneAtATime, 50) << "the title names the keys";
    Game().OnKeyPress('k');
    f.Tick();
    EXPECT_FALSE(Game().GetKeyTable().IsSingleKey());
    EXPECT_EQ(f.Read("settings.cfg"), "FreeKeys= 1\n");
    EXPECT_EQ(Game().KeysLine(), std::string("[K] KEYS: FREE"));
    EXPECT_NE(keysLineInk(), oneAtATime) << "the line says so";

    // A new game form in the folder takes up the choice; K in play changes nothing.
    {
        TestGame other(f.app, "Bruvo Stage Krodel other");
        EXPECT_FALSE(other.GetKeyTable().IsSingleKey());
    }
    f.StartGameAt(1);
    Game().OnKeyPress('K');
    EXPECT_FALSE(Game().GetKeyTable().IsSingleKey());
}

// The keyboard going to another window pauses a game in play; a focus lost
// and already back (the server's pairs) does not.
TEST_F(FormMainTest, LosingTheKeyboardPausesPlay)
{
    Display* display = f.app->GetDisplay();
    const Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 900, 0, 50, 50, 0, 0, 0);
    XMapWindow(display, other);
    XSync(display, False);
    auto lookAway = [&](Window to) {
        XSetInputFocus(display, to, RevertToParent, CurrentTime);
        XSync(display, False);
        Game().OnFocusLost();  // as the loop does on the focus's going
        f.Tick();
    };
    lookAway(other);
    EXPECT_EQ(f.W().GetGameState(), GameState::Title);
    f.StartGameAt(1);
    f.Tick(10);
    lookAway(Game().GetWindow());
    EXPECT_EQ(f.W().GetGameState(), GameState::Playing);
    lookAway(other);
    EXPECT_EQ(f.W().GetGameState(), GameState::Paused);
    XDestroyWindow(display, other);
}

// Closing the game window while the name is asked for records the line as
// closing the name form does, and ends the game.
TEST_F(FormMainTest, ClosingTheGameDuringTheNameEntryRecordsTheResult)
{
    f.LoseTheGame(3, 250);
    ASSERT_NE(Game().GetNameForm(), nullptr);
    QuitRequested = false;
    EXPECT_TRUE(Game().QueryClose());
    EXPECT_TRUE(QuitRequested);
    QuitRequested = false;
    EXPECT_EQ(f.Read("Data/Bruvo Stage Krodel/Score/Classifica.txt"), "00000250              Level 3\n");
}

TEST_F(FormMainTest, ASoundsChildIsCollectedWhenItEnds)
{
    f.StartGameAt(1);
    f.W().PlaySound(Sound::Coin);
    f.Tick();
    const pid_t child = Game().GetSound()->Pid();
    ASSERT_GT(child, 0);
    ASSERT_TRUE(WaitUntilEnded(child));  // left a zombie for the game to collect
    f.Tick();
    EXPECT_EQ(CountZombieChildren(), 0);
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
