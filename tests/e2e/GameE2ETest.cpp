// The real game, end to end: the bruvo executable in a temporary game folder
// (a copy of the program beside a link to the generated Data/), on the
// private X server, with keys sent through XTest and the window's pixels read
// back. Needs BRUVO_GAME_DIR (set by ctest) and DISPLAY.
#include <gtest/gtest.h>

#include "tests/common/TempDir.h"
#include "tests/e2e/GameProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

// Pixels of a region read back from the window that hold a colour.
int Count(const std::vector<uint32_t>& pixels, uint32_t colour)
{
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

}  // namespace

TEST(GameEndToEnd, TitleBlinksThenGStartsLevel1AndThePlayerLands)
{
    GameProcess game;
    ASSERT_TRUE(game.Start()) << game.Problem();

    // The prompt at (480, 600) changes between red and white once a second.
    bool sawRed = false, sawWhite = false;
    for (int i = 0; i < 100 && !(sawRed && sawWhite); ++i) {
        const std::vector<uint32_t> prompt = game.Pixels(480, 600, 280, 18);
        const int red = Count(prompt, 0xFF0000), white = Count(prompt, 0xFFFFFF);
        sawRed = sawRed || (red > 50 && white == 0);
        sawWhite = sawWhite || (white > 50 && red == 0);
        game.Pause(100);
    }
    EXPECT_TRUE(sawRed);
    EXPECT_TRUE(sawWhite);

    const std::string background = game.DataFile("sfondopre1.bin");
    ASSERT_EQ(background.size(), 800u * 640u * 3u);

    game.Key(XK_g);

    // The status line: white text on 0x010101 across the top.
    bool statusLine = false;
    for (int i = 0; i < 200 && !statusLine; ++i) {
        const std::vector<uint32_t> strip = game.Pixels(0, 0, 800, 20);
        statusLine = Count(strip, 0x010101) > 8000 && Count(strip, 0xFFFFFF) > 100;
        if (!statusLine)
            game.Pause(20);
    }
    ASSERT_TRUE(statusLine);

    // The player appears at (376, 426) and falls to the ground (y 518): a
    // band across its middle at the start, clear of bees and coins, first
    // differs from the background and later shows it again, while a band
    // just above the ground row changes.
    const int bandX = 390, bandW = 20, topY = 455, topH = 35, lowY = 520, lowH = 32;
    auto differsFromBackground = [&](XImage* image, int atX, int atY) {
        int differing = 0;
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) {
                const size_t i = (static_cast<size_t>(atY + y) * 800 + atX + x) * 3;
                const uint32_t want = (uint32_t(uint8_t(background[i])) << 16) |
                                      (uint32_t(uint8_t(background[i + 1])) << 8) | uint8_t(background[i + 2]);
                differing += (XGetPixel(image, x, y) & 0xFFFFFF) != want ? 1 : 0;
            }
        return differing;
    };
    XImage* lowBefore = nullptr;
    for (int i = 0; i < 200 && lowBefore == nullptr; ++i) {
        XImage* top = game.Grab(bandX, topY, bandW, topH);
        if (top != nullptr && differsFromBackground(top, bandX, topY) > 100)
            lowBefore = game.Grab(bandX, lowY, bandW, lowH);
        if (top != nullptr)
            XDestroyImage(top);
        if (lowBefore == nullptr)
            game.Pause(10);
    }
    ASSERT_NE(lowBefore, nullptr) << "the player never showed at its start";

    bool landed = false;
    for (int i = 0; i < 300 && !landed; ++i) {
        game.Pause(20);
        XImage* top = game.Grab(bandX, topY, bandW, topH);
        XImage* low = game.Grab(bandX, lowY, bandW, lowH);
        if (top != nullptr && low != nullptr && differsFromBackground(top, bandX, topY) == 0) {
            int changed = 0;
            for (int y = 0; y < lowH; ++y)
                for (int x = 0; x < bandW; ++x)
                    changed += XGetPixel(low, x, y) != XGetPixel(lowBefore, x, y) ? 1 : 0;
            landed = changed > 100;
        }
        if (top != nullptr)
            XDestroyImage(top);
        if (low != nullptr)
            XDestroyImage(low);
    }
    XDestroyImage(lowBefore);
    EXPECT_TRUE(landed) << "the player did not reach the ground";

    // Closing the window ends the program normally.
    EXPECT_EQ(game.Close(), 0);
}

// Three lives lost in level 2's first hole, a name typed into the Classifica
// dialog, the line in the table, and the title showing it.
TEST(GameEndToEnd, LastLifeTakesANameIntoTheTableAndTheTitleShowsIt)
{
    GameProcess game;
    ASSERT_TRUE(game.Start()) << game.Problem();
    ASSERT_NO_FATAL_FAILURE(LoseEveryLife(game));
    const Window dialog = game.FindWindow("Classifica", 5000);
    ASSERT_NE(dialog, 0u);
    EXPECT_EQ(game.SizeOf(dialog), std::make_pair(250, 115));
    game.Type("mario");
    game.Key(XK_Return);

    const std::string table = "Data/Bruvo Stage Krodel/Score/Classifica.txt";
    for (int i = 0; i < 100 && game.Read(table).empty(); ++i)
        GameProcess::Pause(50);
    EXPECT_EQ(game.Read(table), "00000000 mario        Level 2\n");

    // Any key: back to the title, which starts its rotation afresh: the first
    // line shows at the first blink after the title has loaded (one second's
    // wait), not somewhere in a cycle of ten blinks.
    GameProcess::Pause(200);
    game.Key(XK_x);
    bool topTen = false;
    for (int i = 0; i < 80 && !topTen; ++i) {
        const std::vector<uint32_t> strip = game.Pixels(0, 0, 800, 20);
        topTen = Count(strip, 0x010101) > 8000 && Count(strip, 0xFFFFFF) > 100;
        GameProcess::Pause(50);
    }
    EXPECT_TRUE(topTen) << "no Top Ten line on the title";
    EXPECT_EQ(game.Close(), 0);
}

// A second client unmaps and maps the game window and moves it partly off the
// screen, over and over, while the title draws: reads of the window can then
// fail between the game's check and its read. The game goes on, and an error
// of one kind is logged once, not once per frame.
TEST(GameEndToEnd, AnotherClientHidingAndMovingTheWindowDoesNotStopTheGame)
{
    GameProcess game;
    ASSERT_TRUE(game.Start()) << game.Problem();
    GameProcess::Pause(1500);  // the title is loading
    Display* display = game.GetDisplay();
    const Window window = game.GameWindow();
    // As fast as the server takes it, for six seconds.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
        switch (i % 4) {
        case 0: XUnmapWindow(display, window); break;
        case 1: XMapWindow(display, window); break;
        case 2: XMoveWindow(display, window, -300 - i % 7, -200); break;
        default: XMoveWindow(display, window, 0, 0); break;
        }
        XSync(display, False);
    }
    XMapWindow(display, window);
    XMoveWindow(display, window, 0, 0);
    XSync(display, False);

    // Still running: the prompt goes on blinking.
    bool sawRed = false, sawWhite = false;
    for (int i = 0; i < 100 && !(sawRed && sawWhite); ++i) {
        const std::vector<uint32_t> prompt = game.Pixels(480, 600, 280, 18);
        sawRed = sawRed || Count(prompt, 0xFF0000) > 50;
        sawWhite = sawWhite || Count(prompt, 0xFFFFFF) > 50;
        GameProcess::Pause(100);
    }
    EXPECT_TRUE(sawRed && sawWhite) << "the title stopped";

    const std::string log = game.Read("log.txt");
    std::set<std::string> lines;
    size_t start = 0, count = 0;
    for (size_t end = log.find('\n'); end != std::string::npos; start = end + 1, end = log.find('\n', start)) {
        lines.insert(log.substr(start, end - start));
        ++count;
    }
    EXPECT_EQ(lines.size(), count) << "a line logged twice:\n" << log;
    std::cout << "logged while the window came and went:\n" << log;
    EXPECT_EQ(game.Close(), 0);
}

// P pauses: "PAUSED" in a box at the centre of a frame that no longer moves;
// P again takes the box away and the game goes on.
TEST(GameEndToEnd, PShowsPausedOverTheFrozenFrameAndPAgainTakesItAway)
{
    GameProcess game;
    ASSERT_TRUE(game.Start()) << game.Problem();
    GameProcess::Pause(1500);  // the title is loading
    game.Key(XK_g);
    ASSERT_TRUE(WaitForStrip(game, 5000));
    GameProcess::Pause(1500);  // the player lands

    auto bannerPixels = [&](int* fill, int* ink) {
        const std::vector<uint32_t> box = game.Pixels(300, 300, 200, 40);
        *fill = Count(box, 0x010101);
        *ink = Count(box, 0xFFFFFF);
        return !box.empty();
    };
    int fill = 0, ink = 0;
    ASSERT_TRUE(bannerPixels(&fill, &ink));
    EXPECT_LT(fill, 100) << "no box while playing";

    game.Key(XK_p);
    GameProcess::Pause(500);
    ASSERT_TRUE(bannerPixels(&fill, &ink));
    EXPECT_GT(fill, 2000) << "the box";
    EXPECT_GT(ink, 150) << "the word and its frame";
    XImage* first = game.Grab(0, 0, 800, 640);
    GameProcess::Pause(1000);
    XImage* second = game.Grab(0, 0, 800, 640);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    int moved = 0;
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 800; ++x)
            moved += XGetPixel(first, x, y) != XGetPixel(second, x, y) ? 1 : 0;
    XDestroyImage(first);
    XDestroyImage(second);
    EXPECT_EQ(moved, 0) << "the frame changed while paused";

    game.Key(XK_p);
    GameProcess::Pause(500);
    ASSERT_TRUE(bannerPixels(&fill, &ink));
    EXPECT_LT(fill, 100) << "the box stayed after resuming";
    EXPECT_EQ(game.Close(), 0);
}

// Ended from outside while the name is being entered: the dialog closes as
// the window manager closes it, so the result is in the table, and the game
// ends normally.
TEST(GameEndToEnd, TerminatedDuringTheNameEntryKeepsTheResult)
{
    GameProcess game;
    ASSERT_TRUE(game.Start()) << game.Problem();
    ASSERT_NO_FATAL_FAILURE(LoseEveryLife(game));
    ASSERT_NE(game.FindWindow("Classifica", 5000), 0u);
    game.Type("luigi");
    EXPECT_EQ(game.Signal(SIGTERM), 0);
    // The signal closes the dialog as the window manager would, not as a
    // confirmation: the typed "luigi" is not taken, and the result is stored
    // with the name still empty (twelve blanks in the name field).
    const std::string table = game.Read("Data/Bruvo Stage Krodel/Score/Classifica.txt");
    EXPECT_EQ(table, "00000000 " + std::string(12, ' ') + " Level 2\n");
    EXPECT_NE(game.Read("log.txt").find("Closing on signal 15"), std::string::npos);
}
