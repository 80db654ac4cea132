// The real game, end to end: the bruvo executable in a temporary game folder
// (a copy of the program beside a link to the generated Data/), on the
// private X server, with keys sent through XTest and the window's pixels read
// back. Needs BRUVO_GAME_DIR (set by ctest) and DISPLAY.
#include <gtest/gtest.h>

#include "tests/common/TempDir.h"
#include "tests/e2e/GameProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <string>

namespace {

// Pixels of a region of the window equal to a colour.
int CountColour(XImage* image, uint32_t colour)
{
    int count = 0;
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x)
            count += (XGetPixel(image, x, y) & 0xFFFFFF) == colour ? 1 : 0;
    return count;
}

}  // namespace

TEST(GameEndToEnd, TitleBlinksThenGStartsLevel1AndThePlayerLands)
{
    GameProcess game;
    ASSERT_TRUE(game.Start()) << game.Problem();

    // The prompt at (480, 600) changes between red and white once a second.
    bool sawRed = false, sawWhite = false;
    for (int i = 0; i < 100 && !(sawRed && sawWhite); ++i) {
        if (XImage* prompt = game.Grab(480, 600, 280, 18)) {
            const int red = CountColour(prompt, 0xFF0000), white = CountColour(prompt, 0xFFFFFF);
            sawRed = sawRed || (red > 50 && white == 0);
            sawWhite = sawWhite || (white > 50 && red == 0);
            XDestroyImage(prompt);
        }
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
        if (XImage* strip = game.Grab(0, 0, 800, 20)) {
            statusLine = CountColour(strip, 0x010101) > 8000 && CountColour(strip, 0xFFFFFF) > 100;
            XDestroyImage(strip);
        }
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
