// The name-entry dialog over a main form, typed into with real key events.
#include "tests/gui/GuiTestSupport.h"

#include "forms/FormNamePlayer.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/TextBoxCustom.h"
#include "tests/controls/BeepRecorder.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

using namespace guitest;

namespace {

std::vector<std::string> namesAtClose;

void RecordName(GUIElement*)
{
    namesAtClose.push_back(PlayerName);
}

class FormNamePlayerTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        namesAtClose.clear();
        PlayerName = "left over";
        main = std::make_unique<RecordingForm>("main", 0, 0, 400, 300);
        main->Create();
        dialog = std::make_unique<FormNamePlayer>(main.get(), 0, "Classifica");
        dialog->SetCloseHandler(&RecordName);
        dialog->MoveTo(450, 0);
    }
    void TearDown() override
    {
        dialog.reset();  // the opener deletes its dialog before itself
        main.reset();
        GuiTest::TearDown();
    }
    // Opens the dialog and gives its window the keyboard, as a window manager would.
    void Open(Script& script)
    {
        script.Then([this] { dialog->Show(); Sync(); dialog->SetFocus(); });
    }
    void TypeInto(Script& script, const std::string& letters)
    {
        for (char c : letters)
            script.Then([c] { Tap(c == ' ' ? XK_space : static_cast<KeySym>(c)); });
    }

    BeepRecorder beeps{folder};
    std::unique_ptr<RecordingForm> main;
    std::unique_ptr<FormNamePlayer> dialog;
};

TEST_F(FormNamePlayerTest, OpeningDisablesTheMainFormAndLaysOutTheControls)
{
    EXPECT_EQ(PlayerName, "");
    EXPECT_FALSE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), dialog.get());
    EXPECT_TRUE(dialog->IsDialog());
    EXPECT_EQ(dialog->GetSize(), PackPoint(250, 115));
    EXPECT_EQ(dialog->GetText(), "Classifica");
    dialog->Show();
    Sync();

    Window transientFor = 0;
    ASSERT_TRUE(XGetTransientForHint(Dpy(), dialog->GetWindow(), &transientFor));
    EXPECT_EQ(transientFor, main->GetWindow());

    CellControl* label = dialog->GetLabelCell();
    TextBoxCustom* name = dialog->GetNameBox();
    ButtonCustom* ok = dialog->GetOkButton();
    ASSERT_NE(label, nullptr);
    ASSERT_NE(name, nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(label->GetPosition(), PackPoint(0, 15));
    EXPECT_EQ(label->GetSize(), PackPoint(250, 14));
    EXPECT_EQ(label->GetAlignment(), 2);
    EXPECT_EQ(name->GetPosition(), PackPoint(62, 45));
    EXPECT_EQ(name->GetWidth(), 125);
    EXPECT_GE(name->GetHeight(), name->GetLineHeight() + 6) << "raised to one row of its font";
    EXPECT_EQ(name->GetMaxLength(), 10);
    EXPECT_EQ(ok->GetPosition(), PackPoint(85, 80));
    EXPECT_EQ(ok->GetSize(), PackPoint(80, 28));
    EXPECT_EQ(ok->GetText(), "OK");
    EXPECT_EQ(FocusedElement, name);
    EXPECT_TRUE(name->IsFocused());

    dialog->SetLabelText("Game over");
    EXPECT_EQ(label->GetText(), "Game over");
}

TEST_F(FormNamePlayerTest, EnterConfirmsTheNameAndGivesTheMainFormItsKeysBack)
{
    Script script(main.get());
    Open(script);
    TypeInto(script, "ab cd  ");
    script.Then([] { Tap(XK_Return); });
    script.Then([this] {
        EXPECT_FALSE(dialog->IsCreated());
        EXPECT_EQ(dialog->GetWindow(), 0u);
        EXPECT_TRUE(dialog->IsClosed());
        EXPECT_TRUE(main->IsEnabled());
        EXPECT_EQ(main->GetActiveDialog(), nullptr);
        Calls().clear();
        main->SetFocus();  // the window manager hands the keyboard back
        Tap(XK_g);
    });
    script.Run();
    EXPECT_EQ(PlayerName, "ab cd") << "the inner blank stays, the trailing ones go";
    EXPECT_EQ(namesAtClose, std::vector<std::string>{"ab cd"});
    EXPECT_TRUE(Called("main:KeyDown " + std::to_string(XK_g)));
    EXPECT_EQ(beeps.Count(), 0);
}

// Shift let go before the letter (as fast typists and xdotool do) still types
// the capital: the character is the press's.
TEST_F(FormNamePlayerTest, AShiftLetGoBeforeItsLetterStillGivesTheCapital)
{
    Script script(main.get());
    Open(script);
    script.Then([] {
        Key(XK_Shift_L, true);
        Key(XK_a, true);
        Key(XK_Shift_L, false);
        Key(XK_a, false);
    });
    script.Then([] {
        Key(XK_b, true);
        Key(XK_Shift_L, true);  // pressed after the letter: the letter stays small
        Key(XK_b, false);
        Key(XK_Shift_L, false);
    });
    script.Then([] { Tap(XK_Return); });
    script.Run();
    EXPECT_EQ(PlayerName, "Ab");
}

TEST_F(FormNamePlayerTest, DeleteConfirmsAfterTheEntryBlankedTheCellUnderTheCaret)
{
    Script script(main.get());
    Open(script);
    TypeInto(script, "anna");
    script.Then([] { Tap(XK_Left); Tap(XK_Delete); });
    script.Run();
    EXPECT_EQ(PlayerName, "ann");
    EXPECT_EQ(namesAtClose, std::vector<std::string>{"ann"});
}

TEST_F(FormNamePlayerTest, TheOkButtonConfirmsAndTheEleventhCharacterBeeps)
{
    Script script(main.get());
    Open(script);
    TypeInto(script, "abcdefghijk");
    script.Then([this] { MovePointer(dialog.get(), 125, 94); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Run();
    EXPECT_EQ(PlayerName, "abcdefghij");
    EXPECT_EQ(namesAtClose.size(), 1u);
    EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(FormNamePlayerTest, AnEmptyNameBeepsAndKeepsTheFormOpenWithTheFocusInTheEntry)
{
    bool openAfterEnter = false, entryFocused = false;
    Script script(main.get());
    Open(script);
    script.Then([this] {
        // Take the focus away first: the refusal must bring it back.
        MovePointer(dialog.get(), 240, 105);
    });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([this] {
        EXPECT_EQ(FocusedElement, nullptr);
        MovePointer(dialog.get(), 125, 94);
    });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] {
        openAfterEnter = dialog->IsCreated() && !dialog->IsClosed();
        entryFocused = FocusedElement == dialog->GetNameBox();
    });
    TypeInto(script, "  ");
    script.Then([] { Tap(XK_Return); });
    script.Run();
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(entryFocused);
    EXPECT_EQ(PlayerName, "");
    EXPECT_TRUE(namesAtClose.empty());
    EXPECT_EQ(beeps.Count(), 2) << "an empty entry and one of blanks only";
    EXPECT_FALSE(main->IsEnabled()) << "still covered";
}

TEST_F(FormNamePlayerTest, TheMainFormTakesNoKeysWhileTheDialogIsOpen)
{
    Script script(main.get());
    Open(script);
    script.Then([this] { Calls().clear(); main->SetFocus(); Tap(XK_g); Tap(XK_p); });
    script.Run();
    for (const std::string& call : Calls())
        EXPECT_NE(call.rfind("main:Key", 0), 0u) << call;
    EXPECT_EQ(dialog->GetNameBox()->GetText(), "") << "nor does the dialog's entry";
}

TEST_F(FormNamePlayerTest, ClosingThroughTheWindowManagerRecordsAnEmptyName)
{
    Script script(main.get());
    Open(script);
    TypeInto(script, "zed");
    script.Then([this] { SendDeleteWindow(dialog.get()); });
    script.Then([this] {
        EXPECT_EQ(dialog->GetWindow(), 0u);
        EXPECT_TRUE(main->IsEnabled());
    });
    script.Run();
    EXPECT_EQ(namesAtClose, std::vector<std::string>{""});
    EXPECT_EQ(PlayerName, "");
}

TEST_F(FormNamePlayerTest, WithoutAMainFormNothingIsDisabled)
{
    FormNamePlayer alone(0, "Alone");
    EXPECT_EQ(alone.GetMainForm(), nullptr);
    EXPECT_EQ(alone.GetApplication(), nullptr);
    EXPECT_EQ(main->GetActiveDialog(), dialog.get()) << "another form's dialog is left alone";
    EXPECT_TRUE(alone.FormQueryClose());
}

TEST_F(FormNamePlayerTest, ItStandsCentredOverItsFormAndGivesItBackLikeTheOtherDialogs)
{
    dialog.reset();
    EXPECT_TRUE(main->IsEnabled()) << "deleted while open, it gives the form back";
    EXPECT_EQ(main->GetActiveDialog(), nullptr);

    dialog = std::make_unique<FormNamePlayer>(main.get(), 0, "Classifica");
    const uint64_t under = main->GetPosition();
    EXPECT_EQ(dialog->GetX(), PointX(under) + (400 - 250) / 2);
    EXPECT_EQ(dialog->GetY(), PointY(under) + (300 - 115) / 2);
    // A later dialog over the same form keeps it covered when this one closes.
    FormNamePlayer later(main.get(), 0, "Later");
    EXPECT_TRUE(dialog->FormQueryClose());
    EXPECT_FALSE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), &later);
}

TEST_F(FormNamePlayerTest, OpeningTakesTheFocusFromAControlOfTheMainForm)
{
    dialog.reset();
    RecordingControl control(main.get(), "control", 10, 10, 20, 20);
    control.Show();
    FocusedElement = &control;
    control.GotFocus();
    dialog = std::make_unique<FormNamePlayer>(main.get(), 0, "Classifica");
    EXPECT_EQ(FocusedElement, nullptr);
    EXPECT_FALSE(control.IsFocused());
    EXPECT_TRUE(Called("control:LostFocus"));
}

TEST_F(FormNamePlayerTest, ReturnOnTheFocusedOkButtonConfirmsOnce)
{
    GUIElement* focusAfterTab = nullptr;
    Script script(main.get());
    Open(script);
    TypeInto(script, "bea");
    script.Then([] { Tap(XK_Tab); });
    script.Then([&] {
        focusAfterTab = FocusedElement;
        Tap(XK_Return);
    });
    script.Run();
    EXPECT_EQ(focusAfterTab, dialog->GetOkButton());
    EXPECT_EQ(namesAtClose, std::vector<std::string>{"bea"}) << "the score is stored once";
}

}  // namespace
