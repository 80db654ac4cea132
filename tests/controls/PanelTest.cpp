// Panels on the private X server: showing, hiding, moving and titling read
// back from the window; painting counted; a real click through nested panels.
#include "tests/controls/ControlTestSupport.h"

#include "gui/controls/ButtonCustom.h"
#include "gui/controls/PanelChildren.h"

using namespace controltest;

namespace {

constexpr int32_t kOuterColour = 0xCC8844;
constexpr int32_t kInnerColour = 0x44CC88;

class PanelTest : public ControlTest {
protected:
    // An outer panel at (20, 20) holding an inner one at (10, 30) of it, which
    // holds a recording control at (5, 5) of the inner panel.
    void Build()
    {
        outer = std::make_unique<PanelChildren>(form.get());
        outer->SetPosition(20, 20);
        outer->SetSize(200, 150);
        outer->SetBackColor(kOuterColour);
        inner = std::make_unique<PanelChildren>(outer.get());
        inner->SetPosition(10, 30);
        inner->SetSize(100, 80);
        inner->SetBackColor(kInnerColour);
        leaf = std::make_unique<RecordingControl>(inner.get(), "leaf", 5, 5, 20, 20);
        leaf->SetRepaint(true);
    }
    void TearDown() override
    {
        leaf.reset();
        button.reset();
        inner.reset();
        outer.reset();
        ControlTest::TearDown();
    }

    std::unique_ptr<PanelChildren> outer, inner;
    std::unique_ptr<RecordingControl> leaf;
    std::unique_ptr<ButtonCustom> button;
};

TEST_F(PanelTest, ShowingAndHidingReachTheChildrenOfNestedPanels)
{
    Build();
    outer->Show();
    EXPECT_TRUE(inner->IsVisible());
    EXPECT_TRUE(leaf->IsVisible());
    EXPECT_EQ(Pixel(25, 25), static_cast<unsigned long>(kOuterColour));
    EXPECT_EQ(Pixel(35, 55), static_cast<unsigned long>(kInnerColour)) << "inner panel at the outer's (10, 30)";

    outer->Hide();
    EXPECT_FALSE(inner->IsVisible());
    EXPECT_FALSE(leaf->IsVisible());
    EXPECT_FALSE(outer->IsCreated());
    EXPECT_EQ(CountColour(20, 20, 201, 151, kFormColour), 201 * 151) << "extent plus one pixel erased";
}

TEST_F(PanelTest, MovingErasesTheOldPlaceAndDrawsAtTheNew)
{
    Build();
    outer->Show();
    outer->SetPosition(150, 100);
    EXPECT_EQ(Pixel(25, 25), static_cast<unsigned long>(kFormColour));
    EXPECT_EQ(Pixel(155, 105), static_cast<unsigned long>(kOuterColour));
    EXPECT_EQ(Pixel(165, 135), static_cast<unsigned long>(kInnerColour));
    EXPECT_TRUE(leaf->IsVisible());
}

TEST_F(PanelTest, FramesAndTitlesDrawWhereTheyBelong)
{
    Build();
    outer->SetSunken(true);
    outer->SetText("Titolo");
    outer->SetTitleColor(0xFFFF00);
    outer->Show();
    EXPECT_EQ(Pixel(20, 20), 0x000000ul) << "sunken: black top-left";
    EXPECT_EQ(Pixel(219, 169), 0xFFFFFFul) << "sunken: white bottom-right";
    EXPECT_GT(CountColour(24, 22, 192, 9, 0xFFFF00), 0) << "title 4 in and 2 down, 10 high";
    EXPECT_EQ(CountColour(20, 20, 4, 150, 0xFFFF00), 0) << "nothing of the title left of its box";
    EXPECT_EQ(CountColour(20, 60, 200, 110, 0xFFFF00), 0) << "nothing of it far below the top";

    outer->SetSunken(false);
    outer->SetText("");
    outer->Paint();
    EXPECT_EQ(Pixel(20, 20), 0xFFFFFFul) << "raised: white top-left";
    EXPECT_EQ(CountColour(20, 20, 200, 150, 0xFFFF00), 0) << "an empty title draws nothing";

    outer->SetRectFrame(true);
    outer->Paint();
    EXPECT_EQ(Pixel(219, 169), 0x000000ul) << "plain frame: black all round";
}

TEST_F(PanelTest, EachElementIsPaintedOncePerPaint)
{
    Build();
    outer->Show();
    Calls().clear();
    form->Paint();
    EXPECT_EQ(CountOf("leaf:Paint"), 1) << "the form and both panels would each paint it";
    Calls().clear();
    outer->Paint();
    EXPECT_EQ(CountOf("leaf:Paint"), 1);
}

TEST_F(PanelTest, ChildBackColourRepaintsTheChildrenInIt)
{
    Build();
    button = std::make_unique<ButtonCustom>(inner.get(), "In");
    button->SetPosition(40, 20);
    outer->SetChildBackColor(0x112233);
    outer->Show();
    outer->Paint();
    EXPECT_EQ(inner->GetBackColor(), 0x112233);
    EXPECT_EQ(Pixel(35, 55), 0x112233ul);
    EXPECT_EQ(button->GetBackColor(), 0x112233) << "the colour reaches inside nested panels too";
}

// A control inside that records the background it is painted in.
class ColourRecorder : public RecordingControl {
public:
    using RecordingControl::RecordingControl;
    void Paint() override { paintedIn.push_back(GetBackColor()); }
    std::vector<int64_t> paintedIn;
};

TEST_F(PanelTest, TheChildColourReachesTheChildrenOnShowAndEachIsPaintedOnceInIt)
{
    Build();
    ColourRecorder dot(inner.get(), "dot", 40, 40, 10, 10);
    dot.SetRepaint(true);
    outer->SetChildBackColor(0x112233);
    outer->Show();
    EXPECT_EQ(inner->GetBackColor(), 0x112233);
    EXPECT_EQ(Pixel(35, 55), 0x112233ul) << "the inner panel shows in it at once";
    EXPECT_EQ(dot.GetBackColor(), 0x112233) << "and so does what is shown inside it";

    outer->SetChildBackColor(0x445566);
    outer->Paint();
    EXPECT_EQ(dot.paintedIn, std::vector<int64_t>{0x445566}) << "once, in the new colour";
    EXPECT_EQ(Pixel(35, 55), 0x445566ul);
}

TEST_F(PanelTest, AClickInsideANestedPanelReachesTheInnerControl)
{
    Build();
    button = std::make_unique<ButtonCustom>(inner.get(), "In");
    button->SetPosition(40, 20);
    static int commands;
    commands = 0;
    button->SetCommand([](GUIElement*, GUIElement*) { ++commands; });
    Script script(form.get());
    // The button sits at the form's (20 + 10 + 40, 20 + 30 + 20).
    script.Then([&] { outer->Show(); MovePointer(form.get(), 80, 80); });
    script.Then([] { Button(1, true); });
    script.Then([] { Button(1, false); });
    script.Run();
    EXPECT_EQ(commands, 1);
}

}  // namespace
