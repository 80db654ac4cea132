// Check and option boxes on the private X server: toggled and selected by
// real clicks and keys through the running loop, read back from the window.
#include "tests/controls/ControlTestSupport.h"

#include "gui/controls/CheckBox.h"
#include "gui/controls/OptionBox.h"
#include "gui/controls/PanelChildren.h"

#include <X11/keysym.h>

using namespace controltest;

namespace {

constexpr unsigned long kMark = 0x202020;        // tick and dot of an enabled box
constexpr unsigned long kGreyInside = 0xC0C0C0;  // inside of a disabled box
constexpr unsigned long kDisabledCaption = 0x9B9B9B;

class BoxTest : public ControlTest {
protected:
    void TearDown() override
    {
        check.reset();
        option.reset();
        panel.reset();
        ControlTest::TearDown();
    }
    static void CountCommand(GUIElement* element, GUIElement* argument)
    {
        ++commands;
        EXPECT_EQ(element, argument);
    }
    // Marks in the 20 x 20 picture of a check box at (px, py).
    int TickPixels(int px, int py) { return CountColour(px + 1, py + 1, 20, 20, kMark); }
    OptionBox& MakeOptions(GUIElement* parent, int px, int py)
    {
        option = std::make_unique<OptionBox>(parent);
        option->SetPosition(px, py);
        option->SetSize(150, 100);
        option->AddItem("Uno", "1");
        option->AddItem("Due", "2");
        option->AddItem("Tre", "3");
        option->SetCommand(&CountCommand);
        return *option;
    }

    static inline int commands = 0;
    std::unique_ptr<CheckBox> check;
    std::unique_ptr<OptionBox> option;
    std::unique_ptr<PanelChildren> panel;
};

TEST_F(BoxTest, ACheckBoxTogglesOnClickAndSpaceAndRunsItsCommandOnlyThen)
{
    check = std::make_unique<CheckBox>(form.get(), "Suono");
    CheckBox& box = *check;
    box.SetPosition(20, 20);
    box.SetSize(150, 30);
    box.SetCommand(&CountCommand);
    commands = 0;
    int ticksAfterClick = 0, ticksAfterSpace = -1;
    Script script(form.get());
    script.Then([&] { box.Show(); MovePointer(form.get(), 30, 30); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] { ticksAfterClick = TickPixels(20, 20); form->SetFocus(); Tap(XK_space); });
    int commandsByUser = 0, ticksSet = 0;
    script.Then([&] {
        ticksAfterSpace = TickPixels(20, 20);
        commandsByUser = commands;
        box.SetChecked(true);
        ticksSet = TickPixels(20, 20);
    });
    script.Run();
    EXPECT_GT(ticksAfterClick, 10);
    EXPECT_EQ(ticksAfterSpace, 0);
    EXPECT_EQ(commandsByUser, 2);
    EXPECT_GT(ticksSet, 10);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(commands, 2) << "a change made by the program runs no command";
}

TEST_F(BoxTest, ADisabledCheckBoxIsGreyAndIgnoresClicksAndSpace)
{
    check = std::make_unique<CheckBox>(form.get(), "Suono");
    CheckBox& box = *check;
    box.SetPosition(20, 20);
    box.SetSize(150, 30);
    box.SetCommand(&CountCommand);
    commands = 0;
    Script script(form.get());
    script.Then([&] {
        box.Show();
        box.SetEnabledAndPaint(false);
        MovePointer(form.get(), 30, 30);
    });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] { FocusedElement = &box; box.SetFocus(); form->SetFocus(); Tap(XK_space); });
    int greyCaption = 0, greyInside = 0;
    script.Then([&] {
        greyCaption = CountColour(46, 20, 120, 30, kDisabledCaption);
        greyInside = CountColour(21, 21, 20, 20, kGreyInside);
    });
    script.Run();
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(commands, 0);
    EXPECT_GT(greyCaption, 0) << "caption in the disabled grey";
    EXPECT_GT(greyInside, 100) << "the grey picture";
}

TEST_F(BoxTest, UpAndDownWrapRoundAndSpaceActsAsDown)
{
    OptionBox& box = MakeOptions(form.get(), 20, 20);
    commands = 0;
    std::vector<int32_t> seen;
    Script script(form.get());
    script.Then([&] { box.Show(); FocusedElement = &box; box.GotFocus(); form->SetFocus(); Tap(XK_Down); });
    script.Then([&] { seen.push_back(box.GetSelected()); box.Select(2); Tap(XK_Down); });
    script.Then([&] { seen.push_back(box.GetSelected()); Tap(XK_Up); });
    script.Then([&] { seen.push_back(box.GetSelected()); Tap(XK_space); });
    script.Then([&] { seen.push_back(box.GetSelected()); });
    script.Run();
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 0, 2, 0}));
    EXPECT_EQ(commands, 4) << "Select runs no command";
}

TEST_F(BoxTest, ClicksInsideAPanelSelectTheRowUnderThePointer)
{
    panel = std::make_unique<PanelChildren>(form.get());
    panel->SetPosition(50, 40);
    panel->SetSize(250, 200);
    OptionBox& box = MakeOptions(panel.get(), 10, 10);
    commands = 0;
    int32_t afterFirst = -9;
    int rowDots = -1, otherDots = -1;
    Script script(form.get());
    // The box's rows start at the form's y 50, 76 and 102.
    script.Then([&] { panel->Show(); MovePointer(form.get(), 70, 80); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] {
        afterFirst = box.GetSelected();
        rowDots = CountColour(61, 82, 20, 20, kMark);
        otherDots = CountColour(61, 56, 20, 20, kMark);
        MovePointer(form.get(), 70, 140);  // below the last row, inside the box
    });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Run();
    EXPECT_EQ(afterFirst, 1);
    EXPECT_GT(rowDots, 10) << "the dot of the selected row";
    EXPECT_EQ(otherDots, 0);
    EXPECT_EQ(box.GetSelected(), 2);
    EXPECT_EQ(commands, 2);
}

TEST_F(BoxTest, ListOperationsAtTheEdgesGiveNeutralResults)
{
    option = std::make_unique<OptionBox>(form.get());
    OptionBox& box = *option;
    box.Show();
    EXPECT_EQ(box.CaptionAt(0), "");
    EXPECT_EQ(box.ValueAt(-3), "");
    commands = 0;
    box.SetCommand(&CountCommand);
    FocusedElement = &box;
    box.GotFocus();
    box.KeyDown(XK_Down);  // no items: nothing to wrap round to
    EXPECT_EQ(commands, 0);
    box.Click(PackPoint(110, 110));  // a click selects the last of no items, and says so
    EXPECT_EQ(commands, 1);
    EXPECT_EQ(box.GetSelected(), -1);
    commands = 0;

    box.AddItem("A", "a");
    box.AddItem("B", "b");
    box.AddItem("C", "c");
    EXPECT_EQ(box.CaptionCopy(9), "C");
    EXPECT_EQ(box.ValueAt(-1), "");
    EXPECT_FALSE(box.RemoveItem(-2));
    EXPECT_FALSE(box.RemoveItem(3));
    EXPECT_EQ(box.ItemCount(), 3);

    box.Select(0);
    EXPECT_TRUE(box.RemoveItem(1));  // before nothing selected past it: the selection stays
    EXPECT_EQ(box.GetSelected(), 0);
    box.Select(1);
    EXPECT_TRUE(box.RemoveItem(1));  // the selected last item: the selection moves to the new last
    EXPECT_EQ(box.GetSelected(), 0);
    EXPECT_EQ(box.CaptionAt(0), "A");

    box.Clear();
    EXPECT_EQ(box.ItemCount(), 0);
    EXPECT_EQ(box.GetSelected(), -1) << "no stale selection on an empty list";
    EXPECT_FALSE(box.Select(-1));
    FocusedElement = nullptr;
}

TEST_F(BoxTest, OptionPicturesShowEachNewBackgroundThroughTheirCorners)
{
    OptionBox& box = MakeOptions(form.get(), 20, 20);
    box.SetBackColor(0x00FF00);
    box.Show();
    EXPECT_EQ(Pixel(21, 26), 0x00FF00ul) << "the picture's black corner shows the background";
    box.SetBackColor(0xFF00FF);
    EXPECT_EQ(Pixel(21, 26), 0xFF00FFul) << "a kept picture changed by an earlier merge would show the old one";
}

}  // namespace
