// Push buttons and label cells on the private X server: faces read back pixel
// by pixel, presses and keys through the running loop.
#include "tests/gui/GuiTestSupport.h"

#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/ProgressBar.h"

#include <X11/keysym.h>

using namespace guitest;

namespace {

class ControlsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        form = std::make_unique<RecordingForm>("form", 0, 0, 300, 200);
    }
    void TearDown() override
    {
        button.reset();
        cell.reset();
        form.reset();
        GuiTest::TearDown();
    }
    unsigned long Pixel(int px, int py) { return xtest::PixelAt(form->GetWindow(), px, py); }
    int CountColour(int px, int py, int w, int h, unsigned long colour)
    {
        return xtest::CountColour(form->GetWindow(), px, py, w, h, static_cast<uint32_t>(colour));
    }
    ButtonCustom& MakeButton(int px, int py)
    {
        button = std::make_unique<ButtonCustom>(form.get(), "OK");
        button->MoveTo(px, py);
        button->SetCommand(&CountCommand);
        return *button;
    }

    static void CountCommand(GUIElement* element, GUIElement* argument)
    {
        ++commands;
        EXPECT_EQ(element, argument);
    }
    static inline int commands = 0;

    std::unique_ptr<RecordingForm> form;
    std::unique_ptr<ButtonCustom> button;
    std::unique_ptr<CellControl> cell;
};

TEST_F(ControlsTest, AButtonRunsItsCommandOnceOnTheRelease)
{
    form->Create();
    ButtonCustom& ok = MakeButton(20, 20);
    commands = 0;
    bool sunkenWhileHeld = false;
    int commandsWhileHeld = -1;
    Script script(form.get());
    script.Then([&] { ok.Show(); MovePointer(form.get(), 40, 35); });
    script.Then([] { Button(1, true); });
    script.Then([&] {
        sunkenWhileHeld = ok.IsPressed() && Pixel(20, 20) == 0x000000;
        commandsWhileHeld = commands;
        Button(1, false);
    });
    script.Run();
    EXPECT_TRUE(sunkenWhileHeld) << "pressed: the top-left edge turns black";
    EXPECT_EQ(commandsWhileHeld, 0);
    EXPECT_EQ(commands, 1);
    EXPECT_FALSE(ok.IsPressed());
}

TEST_F(ControlsTest, ReturnOnAFocusedButtonSinksItAndRunsTheCommandOnRelease)
{
    form->Create();
    ButtonCustom& ok = MakeButton(20, 20);
    commands = 0;
    bool pressedWhileHeld = false;
    Script script(form.get());
    script.Then([&] { ok.Show(); form->SetFocus(); Tap(XK_Tab); });
    script.Then([] { Key(XK_Return, true); });
    script.Then([&] { pressedWhileHeld = ok.IsPressed(); Key(XK_Return, false); });
    script.Run();
    EXPECT_TRUE(pressedWhileHeld);
    EXPECT_EQ(commands, 1);
}

TEST_F(ControlsTest, LosingTheFocusWhilePressedRaisesTheButtonWithoutItsCommand)
{
    form->Create();
    ButtonCustom& ok = MakeButton(20, 20);
    commands = 0;
    Script script(form.get());
    script.Then([&] { ok.Show(); MovePointer(form.get(), 40, 35); });
    script.Then([] { Button(1, true); });
    script.Then([&] { EXPECT_TRUE(ok.IsPressed()); MovePointer(form.get(), 200, 150); });
    script.Then([] { Button(1, false); });
    script.Run();
    EXPECT_FALSE(ok.IsPressed());
    EXPECT_EQ(commands, 0);
}

TEST_F(ControlsTest, ADisabledButtonIgnoresPressesAndReturnAndGreysItsCaption)
{
    form->Create();
    ButtonCustom& ok = MakeButton(20, 20);
    commands = 0;
    int greyCaption = 0;
    Script script(form.get());
    script.Then([&] {
        ok.Show();
        ok.SetEnabledAndPaint(false);
        greyCaption = CountColour(20, 20, 80, 30, 0x9B9B9B);
        MovePointer(form.get(), 40, 35);
    });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] { FocusedElement = &ok; ok.SetFocus(); form->SetFocus(); Tap(XK_Return); });
    script.Run();
    EXPECT_GT(greyCaption, 0);
    EXPECT_EQ(commands, 0);
    EXPECT_FALSE(ok.IsPressed());
}

TEST_F(ControlsTest, AButtonFaceTakesTheFormsColourAndDrawsItsBevel)
{
    form->SetBackColor(0x336699);
    form->Create();
    ButtonCustom& ok = MakeButton(20, 20);
    ok.Show();
    EXPECT_EQ(Pixel(25, 40), 0x336699u) << "own and parent colour none: the form's";
    EXPECT_EQ(Pixel(20, 20), 0xFFFFFFu) << "raised: light top-left";
    EXPECT_EQ(Pixel(99, 49), 0x000000u) << "raised: dark bottom-right";
    EXPECT_GT(CountColour(26, 24, 68, 22, 0x000000), 0) << "the caption in black";
    ok.Hide();
    EXPECT_EQ(Pixel(50, 30), 0x336699u) << "hidden: covered with the form's colour";
    // The whole 80 x 30 extent, the bevel's right and bottom lines included.
    EXPECT_EQ(CountColour(20, 20, 80, 30, 0x336699), 80 * 30);
    EXPECT_EQ(Pixel(99, 35), 0x336699u) << "right bevel line left behind";
    EXPECT_EQ(Pixel(60, 49), 0x336699u) << "bottom bevel line left behind";
    EXPECT_FALSE(ok.IsCreated());

    RecordingForm plain("plain", 400, 0, 200, 100);
    plain.Create();
    ButtonCustom grey(&plain, "G");
    grey.MoveTo(10, 10);
    grey.Show();
    EXPECT_EQ(xtest::PixelAt(plain.GetWindow(), 15, 30), 0xAAAAAAu) << "no colour anywhere: grey";
    plain.DestroyWindow();
}

TEST_F(ControlsTest, AFocusedButtonShowsItsMarkInTheTextColour)
{
    form->Create();
    ButtonCustom& ok = MakeButton(20, 20);
    ok.SetText("");
    ok.Show();
    EXPECT_EQ(CountColour(20, 20, 80, 30, 0x00AA00), 0);
    ok.SetTextColor(0x00AA00);
    ok.GotFocus();
    EXPECT_GT(CountColour(20, 20, 80, 30, 0x00AA00), 20) << "the dashed focus mark";
}

class CountingCell : public CellControl {
public:
    using CellControl::CellControl;
    void Paint() override
    {
        ++paints;
        CellControl::Paint();
    }
    int paints = 0;
};

TEST_F(ControlsTest, SettingTheSameCellTextTwicePaintsOnce)
{
    form->Create();
    CountingCell label(form.get());
    label.Show();
    const int afterShow = label.paints;
    label.SetText("hello");
    label.SetText("hello");
    EXPECT_EQ(label.paints, afterShow + 1);
    label.SetAlignment(2);
    label.SetMark(false);
    EXPECT_EQ(label.paints, afterShow + 1) << "unchanged alignment and mark do not repaint";
}

TEST_F(ControlsTest, CellColoursAndBorders)
{
    form->Create();
    cell = std::make_unique<CellControl>(form.get());
    cell->MoveTo(10, 10);
    cell->SetSize(100, 30);
    cell->Show();
    EXPECT_EQ(Pixel(50, 25), 0xAAAAAAu) << "no colour: grey";

    cell->SetBackColor(0xFFFFFF);
    cell->SetBorder(true);
    EXPECT_EQ(Pixel(10, 10), 0x000000u);
    EXPECT_EQ(Pixel(109, 25), 0x000000u) << "on white the right edge is black too";
    EXPECT_EQ(Pixel(50, 39), 0x000000u) << "and the bottom";

    cell->SetBackColor(0x808080);
    cell->Paint();
    EXPECT_EQ(Pixel(10, 25), 0x000000u);
    EXPECT_EQ(Pixel(109, 25), 0xFFFFFFu);
    EXPECT_EQ(Pixel(50, 39), 0xFFFFFFu);

    cell->SetText("SEL");
    cell->SetSelected(true);
    EXPECT_EQ(Pixel(15, 15), 0xFFFF00u) << "selected: yellow";
    EXPECT_GT(CountColour(11, 11, 97, 27, 0x000000), 0) << "with black text";

    cell->Hide();
    EXPECT_EQ(Pixel(110, 40), 0xAAAAAAu) << "hiding covers one pixel more with the form's colour";
    EXPECT_FALSE(cell->IsCreated());
}

TEST_F(ControlsTest, CellPanelAndBarKeepTheUserDataTheirOwnerSet)
{
    form->Create();
    cell = std::make_unique<CellControl>(form.get());
    PanelChildren panel(form.get());
    ProgressBar bar(form.get(), 0, 100);
    panel.SetPosition(20, 100);
    bar.SetPosition(20, 160);
    uint64_t value = 4242;
    for (Child* control : std::initializer_list<Child*>{cell.get(), &panel, &bar}) {
        SCOPED_TRACE(control->GetType());
        control->GetUserDataRef() = ++value;
        control->Show();
        EXPECT_NE(control->GetId(), 0u);
        EXPECT_EQ(control->GetUserDataRef(), value);
        control->Hide();
        control->Show();
        EXPECT_EQ(control->GetUserDataRef(), value);
        control->Hide();
    }

    // A button still copies its identifier, as before.
    ButtonCustom& ok = MakeButton(20, 60);
    ok.GetUserDataRef() = 7;
    ok.Show();
    EXPECT_EQ(ok.GetUserDataRef(), static_cast<uint64_t>(ok.GetId()));
}

}  // namespace
