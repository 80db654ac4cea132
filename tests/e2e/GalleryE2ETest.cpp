// The example gallery end to end: bruvo-gallery started on the private X
// server, its controls used through XTest clicks, drags and keys, and what
// its window shows read back after each.
#include <gtest/gtest.h>

#include "tests/e2e/GameProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <functional>
#include <string>

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kBlue = 0x0000FF;

class GalleryEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gallery.Launch(BRUVO_GALLERY_PATH, "Bruvo toolkit gallery")) << gallery.Problem(); }

    std::vector<uint32_t> Pixels(int x, int y, int w, int h) { return gallery.Pixels(x, y, w, h); }
    uint32_t Pixel(int x, int y)
    {
        const std::vector<uint32_t> pixel = Pixels(x, y, 1, 1);
        return pixel.empty() ? 0xFFFFFFFFu : pixel[0];
    }
    // The columns of the rectangle that hold the colour somewhere.
    int Columns(int x, int y, int w, int h, uint32_t colour)
    {
        const std::vector<uint32_t> pixels = Pixels(x, y, w, h);
        int columns = 0;
        for (size_t column = 0; column < static_cast<size_t>(w) && !pixels.empty(); ++column)
            for (size_t row = 0; row < static_cast<size_t>(h); ++row)
                if (pixels[row * static_cast<size_t>(w) + column] == colour) {
                    ++columns;
                    break;
                }
        return columns;
    }
    // Waits up to five seconds for a condition on the window.
    bool Eventually(const std::function<bool()>& condition)
    {
        for (int i = 0; i < 100; ++i) {
            if (condition())
                return true;
            gallery.Pause(50);
        }
        return false;
    }
    std::vector<uint32_t> Report() { return Pixels(11, 299, 618, 28); }

    GameProcess gallery;
};

TEST_F(GalleryEndToEnd, ClicksDragsAndKeysChangeWhatTheWindowShows)
{
    std::vector<uint32_t> report = Report();
    const auto reportChanged = [&] {
        const std::vector<uint32_t> now = Report();
        if (now == report)
            return false;
        report = now;
        return true;
    };

    gallery.Click(60, 60);  // "Press me"
    EXPECT_TRUE(Eventually(reportChanged)) << "the button reports its press";

    // "Blue" in the option group inside the two panels colours the inner panel.
    gallery.Click(160, 208);
    EXPECT_TRUE(Eventually([&] { return Pixel(35, 255) == 0xB0B8E8; }));
    EXPECT_TRUE(Eventually(reportChanged));

    // The slider dragged from 0 to 5 drives the progress bar to half: 93 blue columns.
    gallery.PointAt(350, 125);
    gallery.LeftButton(true);
    gallery.PointAt(400, 125);
    gallery.PointAt(430, 125);
    gallery.LeftButton(false);
    EXPECT_TRUE(Eventually([&] { return Columns(330, 177, 192, 1, kBlue) == 93; }));
    EXPECT_TRUE(Eventually(reportChanged));

    // The scroll bar's right arrow, then Right: the thumb moves to page 1, then 2.
    gallery.Click(615, 225);
    EXPECT_TRUE(Eventually([&] { return Pixel(440, 225) == kBlack && Pixel(380, 225) != kBlack; }));
    gallery.Key(XK_Right);
    EXPECT_TRUE(Eventually([&] { return Pixel(500, 225) == kBlack && Pixel(440, 225) != kBlack; }));

    // Animate: the timer steps the picture frame.
    const std::vector<uint32_t> still = Pixels(355, 40, 48, 48);
    gallery.Click(425, 55);
    EXPECT_TRUE(Eventually([&] { return Pixels(355, 40, 48, 48) != still; }));

    // Typing in the text box, then leaving it, reports the new text.
    report = Report();
    gallery.Click(250, 60);
    gallery.Type("xy");
    gallery.Click(60, 60);
    EXPECT_TRUE(Eventually(reportChanged));

    EXPECT_EQ(gallery.Close(), 0);
}

TEST_F(GalleryEndToEnd, TheDialogButtonsOpenEachDialogAndTheReportShowsItsAnswer)
{
    // The log holds the answers the report shows, one a line.
    const auto logged = [&](const std::string& line) {
        return Eventually([&] { return gallery.Read("log.txt").find(line + "\n") != std::string::npos; });
    };
    const auto open = [&](int x, const std::string& title) {
        gallery.Click(x, 265);
        return gallery.FindWindow(title, 10000);
    };
    const int okBox = 377, question = 479, about = 581;  // the buttons' centres, at y 265

    Window box = open(okBox, "OK box");
    ASSERT_NE(box, 0u);
    EXPECT_EQ(gallery.SizeOf(box), std::make_pair(250, 150));
    const std::vector<uint32_t> before = Report();
    gallery.Click(box, 185, 124);
    EXPECT_TRUE(logged("OK box answered 1 (OK)"));
    EXPECT_TRUE(Eventually([&] { return Report() != before; }));
    const std::vector<uint32_t> answeredOk = Report();

    box = open(question, "YES/NO box");
    ASSERT_NE(box, 0u);
    gallery.Click(box, 185, 124);
    EXPECT_TRUE(logged("YES/NO box answered 3 (YES)"));
    EXPECT_TRUE(Eventually([&] { return Report() != answeredOk; }));
    const std::vector<uint32_t> answeredYes = Report();

    box = open(question, "YES/NO box");
    ASSERT_NE(box, 0u);
    gallery.Click(box, 65, 124);
    EXPECT_TRUE(logged("YES/NO box answered 4 (NO)"));
    EXPECT_TRUE(Eventually([&] { return Report() != answeredYes; }));

    box = open(question, "YES/NO box");
    ASSERT_NE(box, 0u);
    gallery.RequestClose(box);
    EXPECT_TRUE(logged("YES/NO box answered 0 (closed)"));

    Window info = open(about, "Info...");
    ASSERT_NE(info, 0u);
    EXPECT_EQ(gallery.SizeOf(info), std::make_pair(600, 210));
    XSetInputFocus(gallery.GetDisplay(), info, RevertToParent, CurrentTime);
    gallery.Key(XK_Escape);
    EXPECT_TRUE(logged("About dialog closed"));
    EXPECT_TRUE(Eventually([&] { return gallery.FindWindow("Info...", 0) == 0; }));

    // The same answer shows the same report.
    box = open(okBox, "OK box");
    ASSERT_NE(box, 0u);
    gallery.Click(box, 185, 124);
    EXPECT_TRUE(Eventually([&] { return Report() == answeredOk; }));

    EXPECT_EQ(gallery.Close(), 0);
}

// The button that opened a dialog keeps no focus: Return in the dialog is the
// dialog's alone.
TEST_F(GalleryEndToEnd, ReturnInTheAboutDialogOnlyClosesIt)
{
    const auto closedTimes = [&] {
        const std::string log = gallery.Read("log.txt");
        int times = 0;
        for (size_t at = log.find("About dialog closed\n"); at != std::string::npos;
             at = log.find("About dialog closed\n", at + 1))
            ++times;
        return times;
    };
    for (int round = 1; round <= 2; ++round) {
        gallery.Click(581, 265);
        const Window info = gallery.FindWindow("Info...", 10000);
        ASSERT_NE(info, 0u);
        XSetInputFocus(gallery.GetDisplay(), info, RevertToParent, CurrentTime);
        gallery.Key(XK_Return);
        EXPECT_TRUE(Eventually([&] { return closedTimes() == round; })) << "round " << round;
        EXPECT_TRUE(Eventually([&] { return gallery.FindWindow("Info...", 0) == 0; }));
    }
    gallery.Pause(300);
    EXPECT_EQ(closedTimes(), 2);
    EXPECT_EQ(gallery.Close(), 0);
}

TEST_F(GalleryEndToEnd, ReturnInAMessageBoxPressesNothing)
{
    gallery.Click(377, 265);
    const Window box = gallery.FindWindow("OK box", 10000);
    ASSERT_NE(box, 0u);
    XSetInputFocus(gallery.GetDisplay(), box, RevertToParent, CurrentTime);
    gallery.Key(XK_Return);
    gallery.Key(XK_Escape);
    gallery.Pause(300);
    EXPECT_EQ(gallery.FindWindow("OK box", 0), box) << "the same box is still open";
    EXPECT_EQ(gallery.Read("log.txt").find("OK box answered"), std::string::npos);
    gallery.Click(box, 185, 124);
    EXPECT_TRUE(Eventually(
        [&] { return gallery.Read("log.txt").find("OK box answered 1 (OK)\n") != std::string::npos; }));
    EXPECT_EQ(gallery.Close(), 0);
}

}  // namespace
