// Progress bars on the private X server: the blue columns read back from the
// window for values across and beyond the range, and hiding.
#include "tests/controls/ControlTestSupport.h"

#include "gui/controls/ProgressBar.h"

using namespace controltest;

namespace {

constexpr unsigned long kBlue = 0x0000FF;

class ProgressBarTest : public ControlTest {
protected:
    ProgressBar& Make(int32_t minimum, int32_t maximum)
    {
        bar = std::make_unique<ProgressBar>(form.get(), minimum, maximum);
        bar->SetPosition(20, 20);
        bar->Show();
        return *bar;
    }
    // Blue columns in and around the 190 x 25 box at (20, 20).
    int BlueColumns() { return ColumnsWith(10, 20, 210, 25, kBlue); }
    int BlueOutsideTheBox() { return CountColour(10, 10, 220, 45, kBlue) - CountColour(21, 21, 188, 23, kBlue); }
    void TearDown() override
    {
        bar.reset();
        ControlTest::TearDown();
    }
    std::unique_ptr<ProgressBar> bar;
};

TEST_F(ProgressBarTest, FillsInProportionAndKeepsToItsRange)
{
    ProgressBar& b = Make(0, 100);
    EXPECT_EQ(BlueColumns(), 0) << "at the minimum nothing is blue";
    b.SetProgress(50);
    EXPECT_EQ(BlueColumns(), 93) << "(190 - 2) / 2 = 94 wide, FillRectangle colours 93";
    b.SetProgress(150);
    EXPECT_EQ(b.GetProgress(), 100);
    EXPECT_EQ(BlueColumns(), 187);
    EXPECT_EQ(BlueOutsideTheBox(), 0);
    b.SetProgress(-5);
    EXPECT_EQ(b.GetProgress(), 0);
    EXPECT_EQ(BlueColumns(), 0);
    EXPECT_EQ(Pixel(20, 20), 0x000000ul) << "black top-left of the bevel";
    EXPECT_EQ(Pixel(209, 44), 0xFFFFFFul) << "white bottom-right";
}

TEST_F(ProgressBarTest, ARangeAwayFromZeroFillsFromItsMinimum)
{
    ProgressBar& b = Make(50, 150);
    EXPECT_EQ(BlueColumns(), 0);
    b.SetProgress(100);
    EXPECT_EQ(BlueColumns(), 93);
    b.SetProgress(150);
    EXPECT_EQ(BlueColumns(), 187);
    EXPECT_EQ(BlueOutsideTheBox(), 0);
}

TEST_F(ProgressBarTest, AnEmptyRangeFillsNothing)
{
    ProgressBar& b = Make(7, 7);
    b.SetProgress(9);
    EXPECT_EQ(b.GetProgress(), 7);
    b.Paint();
    EXPECT_EQ(BlueColumns(), 0);
}

TEST_F(ProgressBarTest, HidingKeepsTheBarCreatedAndOffTheScreen)
{
    ProgressBar& b = Make(0, 100);
    b.SetProgress(60);
    b.Hide();
    EXPECT_TRUE(b.IsCreated());
    EXPECT_FALSE(b.IsVisible());
    EXPECT_EQ(CountColour(20, 20, 190, 25, kFormColour), 190 * 25);
    form->Paint();
    b.SetPosition(30, 30);
    EXPECT_FALSE(b.IsVisible()) << "moving a hidden bar does not show it";
    EXPECT_EQ(CountColour(20, 20, 220, 60, kBlue), 0);
    b.Show();
    EXPECT_EQ(ColumnsWith(30, 30, 190, 25, kBlue), 111) << "188 * 0.6 = 112 wide, 111 coloured";
}

}  // namespace
