// Sliders and scroll bars on the private X server: ticks, thumbs and widening
// read back from the window; keys, presses and drags through the running loop.
#include "tests/controls/ControlTestSupport.h"

#include "gui/controls/ScrollBar.h"
#include "gui/controls/Slider.h"

#include <X11/keysym.h>
#include <climits>

using namespace controltest;

namespace {

constexpr unsigned long kBlack = 0x000000;
constexpr unsigned long kGrey = 0x9B9B9B;

class TrackTest : public ControlTest {
protected:
    void TearDown() override
    {
        slider.reset();
        bar.reset();
        ControlTest::TearDown();
    }
    // A horizontal 0 .. 4 slider at (20, 20), 100 x 50, without labels: its
    // ticks stand at x 40, 55, 70, 85 and 102, its track at y 45.
    Slider& MakeSlider()
    {
        slider = std::make_unique<Slider>(form.get(), false, 0, 4);
        slider->SetPosition(20, 20);
        slider->SetSize(100, 50);
        slider->SetShowLabels(false);
        slider->SetSlideHandler([](Slider*, int32_t level) { slides.push_back(level); });
        slider->SetChangeHandler([](GUIElement*) { ++changes; });
        slides.clear();
        changes = 0;
        return *slider;
    }
    // Columns where the colour is in the row.
    std::vector<int> ColumnsOf(int px, int py, int w, unsigned long colour)
    {
        std::vector<int> columns;
        for (int ix = px; ix < px + w; ++ix)
            if (Pixel(ix, py) == colour)
                columns.push_back(ix);
        return columns;
    }
    ScrollBar& MakeBar(int32_t maximum)
    {
        bar = std::make_unique<ScrollBar>(form.get(), 0, maximum);
        bar->SetPosition(20, 100);
        bar->SetSize(142, 21);
        bar->SetScrollHandler([](ScrollBar*, int64_t tenTimes, int64_t detail) {
            scrolls.push_back(tenTimes);
            details.push_back(detail);
        });
        scrolls.clear();
        details.clear();
        return *bar;
    }
    // The thumb's black columns along the middle of the bar's track.
    int ThumbColumns() { return CountColour(41, 110, 100, 1, kBlack); }

    static inline std::vector<int32_t> slides;
    static inline int changes = 0;
    static inline std::vector<int64_t> scrolls, details;
    std::unique_ptr<Slider> slider;
    std::unique_ptr<ScrollBar> bar;
};

TEST_F(TrackTest, SliderTicksStandOneStepApartAndTheControlWidensToFit)
{
    Slider& s = MakeSlider();
    s.Show();
    EXPECT_EQ(s.GetWidth(), 100);
    EXPECT_EQ(ColumnsOf(20, 42, 110, kBlack), (std::vector<int>{40, 55, 70, 85, 102}));
    s.SetSize(60, 50);
    EXPECT_EQ(s.GetWidth(), 72) << "8 pixels a step at least";

    // A huge range keeps within X's coordinates; an empty one draws one tick.
    Slider wide(form.get(), false, 0, 2000000000);
    wide.Show();
    EXPECT_EQ(wide.GetWidth(), Slider::kMaxSteps * 8 + 40);
    wide.SetLevel(1500000000);
    EXPECT_EQ(wide.GetLevel(), 1500000000);
    Slider empty(form.get(), true, 5, 5);
    empty.SetPosition(300, 100);
    empty.SetShowLabels(false);
    empty.Show();
    empty.SetFocus();
    FocusedElement = &empty;
    empty.KeyDown(XK_Left);
    EXPECT_EQ(empty.GetLevel(), 5);
    FocusedElement = nullptr;
}

TEST_F(TrackTest, ADragAcrossTheTicksChangesTheLevelAndCallsTheHandlers)
{
    Slider& s = MakeSlider();
    int thumbAtThree = 0;
    Script script(form.get());
    script.Then([&] { s.Show(); MovePointer(form.get(), 55, 45); });
    script.Then([] { Button(1, true); });
    script.Then([&] { MovePointer(form.get(), 84, 45); });
    script.Then([] { Button(1, false); });
    script.Then([&] { thumbAtThree = CountColour(76, 30, 19, 6, kBlack); });
    script.Run();
    EXPECT_EQ(slides, (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(s.GetLevel(), 3);
    EXPECT_FALSE(s.IsDragging());
    EXPECT_GT(thumbAtThree, 20) << "the thumb above tick 3";
}

TEST_F(TrackTest, SliderKeysWrapRoundAndADisabledSliderIgnoresInput)
{
    Slider& s = MakeSlider();
    int greyTicks = 0;
    Script script(form.get());
    script.Then([&] {
        s.Show();
        s.SetLevel(4);
        FocusedElement = &s;
        s.GotFocus();
        form->SetFocus();
        Tap(XK_Right);
    });
    script.Then([] { Tap(XK_Left); });
    script.Then([&] {
        s.SetEnabledAndPaint(false);
        greyTicks = CountColour(20, 42, 110, 1, kGrey);
        Tap(XK_Right);
        MovePointer(form.get(), 70, 45);
    });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Run();
    EXPECT_EQ(slides, (std::vector<int32_t>{0, 4})) << "4 -> 0 -> 4, then nothing while disabled";
    EXPECT_EQ(s.GetLevel(), 4);
    EXPECT_EQ(greyTicks, 5);
}

TEST_F(TrackTest, ScrollBarThumbCoversItsPageAndStaysInsideTheTrack)
{
    ScrollBar& b = MakeBar(100);
    b.Show();
    EXPECT_EQ(ThumbColumns(), 0) << "one page: no thumb";

    b.SetRange(0, 250);  // L = 100: three cells of 33, the last 34
    EXPECT_EQ(ThumbColumns(), 32) << "FillRectangle colours one less than 33";
    b.SetScrollPos(200);
    EXPECT_EQ(ThumbColumns(), 33);
    EXPECT_EQ(CountColour(41 + 66, 110, 34, 1, kBlack), 33) << "the last cell";
    b.SetScrollPos(99999);
    EXPECT_EQ(CountColour(41 + 66, 110, 34, 1, kBlack), 33) << "beyond the range: the last page";
    EXPECT_EQ(b.GetScrollPos(), 99999) << "stored as given";
    b.SetScrollPos(-500);
    EXPECT_EQ(CountColour(41, 110, 33, 1, kBlack), 32) << "below the range: the first page";

    b.SetRange(7, 7);
    EXPECT_EQ(ThumbColumns(), 0);
    // The widest range: a page is still the track's 100 values, reported in 64 bits.
    b.SetRange(INT_MIN, INT_MAX);
    b.SetScrollPos(INT_MIN);
    b.SetFocus();
    b.KeyDown(XK_Right);
    EXPECT_EQ(b.GetScrollPos(), INT_MIN + 100);
    EXPECT_EQ(scrolls, (std::vector<int64_t>{10 * (int64_t{INT_MIN} + 100)}));
}

TEST_F(TrackTest, ScrollBarKeysAndPressesMoveByPagesAndReportTenTimesThePosition)
{
    ScrollBar& b = MakeBar(250);
    Script script(form.get());
    // The right arrow ends at the form's x 162; the cells start at 41, 74 and 107.
    script.Then([&] { b.Show(); MovePointer(form.get(), 155, 110); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] { form->SetFocus(); Tap(XK_Right); Tap(XK_Right); });
    script.Then([&] { MovePointer(form.get(), 80, 110); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Run();
    EXPECT_EQ(scrolls, (std::vector<int64_t>{1000, 2000, 1000}))
        << "arrow press, Right, Right at the last page (nothing), the middle cell";
    EXPECT_EQ(details, (std::vector<int64_t>{100, 200, 1}));
    EXPECT_EQ(b.GetScrollPos(), 100);
}

TEST_F(TrackTest, VerticalLayoutsRunFromTheTopDown)
{
    // A 0 .. 2 slider 100 high: ticks at y 38, 70 and 103 of the track at x 320.
    slider = std::make_unique<Slider>(form.get(), true, 0, 2);
    slider->SetPosition(300, 20);
    slider->SetSize(10, 100);
    slider->SetShowLabels(false);
    slider->Show();
    EXPECT_EQ(slider->GetWidth(), 40);
    std::vector<int> ticks;
    for (int iy = 20; iy < 125; ++iy)
        if (Pixel(317, iy) == kBlack)
            ticks.push_back(iy);
    EXPECT_EQ(ticks, (std::vector<int>{38, 70, 103}));
    slider->SlideToPoint(PackPoint(320, 72));
    EXPECT_EQ(slider->GetLevel(), 1);

    // A 0 .. 200 bar 142 high: two pages of 50 pixels below the top arrow.
    ScrollBar& b = MakeBar(200);
    b.SetVertical(true);
    b.SetPosition(360, 20);
    b.SetSize(21, 142);
    b.Show();
    EXPECT_EQ(CountColour(370, 41, 1, 100, kBlack), 49);
    EXPECT_EQ(Pixel(370, 45), kBlack);
    b.SetFocus();
    b.KeyDown(XK_Down);
    EXPECT_EQ(b.GetScrollPos(), 100);
    EXPECT_NE(Pixel(370, 45), kBlack);
    EXPECT_EQ(Pixel(370, 95), kBlack);
}

}  // namespace
