// Shared pieces of the game-form and sprite tests: one Application on the
// private X server for the whole program, a FormGames whose protected state
// is reachable, picture files and pictures made from colour functions, and
// pixel access to pictures and to the window.
#pragma once

// gtest before Xlib: X.h's None and Bool macros break gtest's templates.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "game/FormGames.h"
#include "tests/common/TempDir.h"
#include "tests/common/XTestSupport.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gametest {

using ColourAt = std::function<uint32_t(int32_t x, int32_t y)>;

using xtest::App;

// A FormGames that counts the game hooks it is given.
class TestForm : public FormGames {
public:
    TestForm() : FormGames(App(), "FormGames test") {}

    void RunApp() override { ++runApps; }
    void FormSpare2() override { ++spare2Calls; }
    // Composes an empty list: the frame shows the backdrop.
    void ComposeBackdrop()
    {
        Composer().BeginItems();
        Composer().Compose();
    }

    int runApps = 0;
    int spare2Calls = 0;
};

// Every game-form test: a private working folder (log.txt, Data/) and a form
// made on demand, deleted at the end.
class GameFormTest : public ::testing::Test {
protected:
    GameFormTest();
    ~GameFormTest() override;
    void SetUp() override;

    // The form, mapped and synchronised; with ready, also painted once, so
    // that its drawing context exists and RunApp has run.
    TestForm* MakeForm(bool ready = true);
    std::string Log() const { return folder.Read("log.txt"); }

    // A packed RGB file of width x height pixels (or only its first bytes).
    void WritePicture(const std::string& path, int32_t width, int32_t height, const ColourAt& colour,
                      size_t keepBytes = SIZE_MAX) const;
    // The background of most tests, every pixel distinct and none black.
    static uint32_t Background(int32_t x, int32_t y);
    // Loads Data/back.bin (Background) as the backdrop and composes it.
    void LoadBackground();
    // A picture in the display's layout from a colour function.
    XImage* MakePicture(int32_t width, int32_t height, const ColourAt& colour);

    TempDir folder;
    TestForm* form = nullptr;
    std::vector<XImage*> pictures;  // made by MakePicture, freed at the end
};

// 0xRRGGBB of a picture's pixel.
uint32_t PixelOf(const XImage* image, int32_t x, int32_t y);
// 0xRRGGBB of a window pixel, read back from the server.
inline uint32_t WindowPixel(Form* form, int32_t x, int32_t y) { return xtest::PixelAt(form->GetWindow(), x, y); }
// 0xRRGGBB of a pixel of a Snapshot taken of a picture like this one.
uint32_t PixelOfBytes(const std::string& snapshot, const XImage* like, int32_t x, int32_t y);
// A copy of a picture's bytes, to compare before and after.
std::string Snapshot(const XImage* image);
// The pixels where two pictures of one size differ, as "x,y" strings (at most max of them).
std::vector<std::string> Differences(const XImage* a, const XImage* b, size_t max = 20);

}  // namespace gametest
