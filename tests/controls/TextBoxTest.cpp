// The text box typed into with real key events on the private X server, its
// refusals heard through aplay.
#include "tests/gui/GuiTestSupport.h"

#include "gui/DrawContext.h"
#include "gui/controls/TextBoxCustom.h"
#include "tests/controls/BeepRecorder.h"

#include <X11/keysym.h>

using namespace guitest;

namespace {

class TextBoxTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        form = std::make_unique<RecordingForm>("form", 0, 0, 400, 200);
        form->Create();
    }
    void TearDown() override
    {
        box.reset();
        form.reset();
        GuiTest::TearDown();
    }
    // A box on the form, shown, with the keyboard focus in it.
    TextBoxCustom& MakeBox(const std::string& initial, int w = 200, int h = 30)
    {
        box = std::make_unique<TextBoxCustom>(form.get(), initial);
        box->SetSize(w, h);
        box->MoveTo(20, 20);
        return *box;
    }
    // Runs the loop: the focus goes to the box first, then each key is tapped
    // on an idle step of its own.
    void Type(const std::vector<KeySym>& keys)
    {
        if (!form->IsCreated())  // the last run's shutdown destroyed the window
            form->Create();
        Script script(form.get());
        script.Then([this] { box->Show(); form->SetFocus(); box->SetFocus(); });
        for (KeySym key : keys)
            script.Then([key] { Tap(key); });
        script.Run();
    }
    std::vector<KeySym> Letters(const std::string& letters)
    {
        std::vector<KeySym> keys;
        for (char c : letters)
            keys.push_back(c == ' ' ? XK_space : c == '.' ? XK_period : static_cast<KeySym>(c));
        return keys;
    }
    std::vector<KeySym> Repeat(KeySym key, int count) { return std::vector<KeySym>(count, key); }
    std::vector<KeySym> Join(std::vector<KeySym> a, const std::vector<KeySym>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    BeepRecorder beeps{folder};
    std::unique_ptr<RecordingForm> form;
    std::unique_ptr<TextBoxCustom> box;
};

TEST_F(TextBoxTest, TheEleventhCharacterBeepsAndBackspaceRemovesTheTenth)
{
    TextBoxCustom& entry = MakeBox("");
    entry.SetMaxLength(10);
    Type(Letters("abcdefghijk"));
    EXPECT_EQ(entry.GetText(), "abcdefghij");
    EXPECT_EQ(entry.GetCaretPos(), 10);
    EXPECT_EQ(beeps.Count(), 1);
    Type({XK_BackSpace});
    EXPECT_EQ(entry.GetText(), "abcdefghi");
    EXPECT_EQ(entry.GetCaretPos(), 9);
    EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(TextBoxTest, BackspaceInTheMiddleAndAtTheStart)
{
    TextBoxCustom& entry = MakeBox("abcde");
    Type(Join(Repeat(XK_Left, 2), {XK_BackSpace}));
    EXPECT_EQ(entry.GetText(), "abde");
    EXPECT_EQ(entry.GetCaretPos(), 2);
    EXPECT_EQ(entry.GetReach(), 4);
    EXPECT_EQ(beeps.Count(), 0);
    Type(Join(Repeat(XK_Left, 3), {XK_BackSpace}));
    EXPECT_EQ(entry.GetText(), "abde");
    EXPECT_EQ(beeps.Count(), 1) << "nothing before the caret at 0";
}

TEST_F(TextBoxTest, TwoWordsKeepTheirBlankAndTrailingBlanksGo)
{
    TextBoxCustom& entry = MakeBox("");
    Type(Letters("ab cd  "));
    EXPECT_EQ(entry.GetText(), "ab cd");
}

TEST_F(TextBoxTest, OverwritingRaisesReachSoTheCaretMayMoveIntoABlankCell)
{
    TextBoxCustom& entry = MakeBox("abcde");
    EXPECT_EQ(entry.GetReach(), 5);
    Type(Join(Join(Repeat(XK_Left, 5), Letters("x")), Repeat(XK_Right, 6)));
    EXPECT_EQ(entry.GetText(), "xbcde");
    EXPECT_EQ(entry.GetReach(), 6);
    EXPECT_EQ(entry.GetCaretPos(), 6);
    EXPECT_EQ(beeps.Count(), 1) << "the sixth step right ran into reach";
}

TEST_F(TextBoxTest, DeleteBlanksWithoutShiftingAndClosesTheGapWithShifting)
{
    TextBoxCustom& blanking = MakeBox("abcde");
    Type(Join(Repeat(XK_Left, 3), {XK_Delete}));
    EXPECT_EQ(blanking.GetText(), "ab de");
    EXPECT_EQ(blanking.GetCaretPos(), 2);
    EXPECT_EQ(blanking.GetReach(), 5);

    TextBoxCustom& shifting = MakeBox("abcde");
    shifting.SetDeleteShifts(true);
    Type(Join(Repeat(XK_Left, 3), {XK_Delete}));
    EXPECT_EQ(shifting.GetText(), "abde");
    EXPECT_EQ(shifting.GetCaretPos(), 2);
    EXPECT_EQ(shifting.GetReach(), 4);
    EXPECT_EQ(beeps.Count(), 0);
}

TEST_F(TextBoxTest, DateModeWritesSeparatorsAndBackspaceOverOneReformats)
{
    TextBoxCustom& date = MakeBox("");
    date.SetDateMode(true);
    EXPECT_EQ(date.GetMaxLength(), 10);
    Type(Letters("25121978"));
    EXPECT_EQ(date.GetText(), "25/12/1978");
    EXPECT_EQ(date.GetCaretPos(), 10);
    Type(Join(Repeat(XK_Left, 4), {XK_BackSpace}));
    EXPECT_EQ(date.GetText(), "25/11/978") << "the separator and the digit before it went";
    EXPECT_EQ(date.GetCaretPos(), 4);
    Type(Letters("a"));
    EXPECT_EQ(date.GetText(), "25/11/978");
    EXPECT_EQ(beeps.Count(), 1) << "digits only";
}

TEST_F(TextBoxTest, NumericModeTakesOnePointOnly)
{
    TextBoxCustom& number = MakeBox("");
    number.SetNumeric(true);
    number.SetAllowPoint(true);
    Type(Letters("1.5.x2"));
    EXPECT_EQ(number.GetText(), "1.52");
    EXPECT_EQ(beeps.Count(), 2);
}

TEST_F(TextBoxTest, ControlCharactersBeepAndEscapeAndEnterDoNot)
{
    TextBoxCustom& entry = MakeBox("ab");
    Script script(form.get());
    script.Then([&] { entry.Show(); form->SetFocus(); entry.SetFocus(); });
    script.Then([] { Tap(XK_Escape); Tap(XK_Return); });
    script.Then([] { Key(XK_Control_L, true); Tap(XK_b); Key(XK_Control_L, false); });
    script.Run();
    EXPECT_EQ(entry.GetText(), "ab");
    EXPECT_EQ(beeps.Count(), 1) << "only Control-B";
}

TEST_F(TextBoxTest, TypingPastTheLastVisibleCellIsErasedWithABeep)
{
    TextBoxCustom& narrow = MakeBox("", 6, 30);
    // Three cells wide, whatever the font.
    narrow.SetSize(6 + 3 * narrow.GetCellWidth(), 30);
    Type(Letters("abcd"));
    EXPECT_EQ(narrow.Columns(), 3);
    EXPECT_EQ(narrow.GetText(), "abc");
    EXPECT_EQ(narrow.GetCaretPos(), 3);
    EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(TextBoxTest, AnInsertionThatWouldPushACharacterOutBeepsAndChangesNothing)
{
    TextBoxCustom& full = MakeBox("abcdefghij");
    full.SetMaxLength(10);
    full.SetDeleteShifts(true);
    // Delete at the end finds nothing; then x before the j would push the j
    // past maxLength.
    Type(Join({XK_Delete, XK_Left}, Letters("x")));
    EXPECT_EQ(full.GetText(), "abcdefghij");
    EXPECT_EQ(beeps.Count(), 1);
    Type(Join({XK_BackSpace}, Letters("x")));
    EXPECT_EQ(full.GetText(), "abcdefghxj") << "with room again the insertion is taken";
    EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(TextBoxTest, TypingPastTheLastCellRecordOfAHugeBoxIsErasedWithABeep)
{
    // 100 x 20 cells, more than the 1600 records a box keeps.
    TextBoxCustom& huge = MakeBox("", 6, 30);
    huge.SetMaxLength(2000);
    huge.SetSize(6 + 100 * huge.GetCellWidth(), 6 + 20 * huge.GetLineHeight());
    ASSERT_EQ(huge.Columns(), 100);
    ASSERT_EQ(huge.Rows(), 20);
    huge.SetText(std::string(1599, 'a'));
    Type(Letters("bc"));
    EXPECT_EQ(huge.GetText(), std::string(1599, 'a') + "b") << "the c had no cell to show in";
    EXPECT_EQ(huge.GetCaretPos(), 1600);
    EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(TextBoxTest, MultiLineEnterBreaksTheLineAndUpDownMoveBetweenRows)
{
    TextBoxCustom& lines = MakeBox("", 200, 80);
    lines.SetMultiLine(true);
    Type(Join(Letters("ab"), {XK_Return}));
    EXPECT_EQ(lines.GetText(), "ab") << "reading back drops the trailing line break";
    EXPECT_EQ(lines.GetCaretPos(), 3);
    EXPECT_GE(lines.Rows(), 3);
    Type(Join(Letters("cd"), {XK_Left}));
    EXPECT_EQ(lines.GetText(), "ab\rcd");
    EXPECT_EQ(lines.GetCaretPos(), 4);
    Type({XK_Up});
    EXPECT_EQ(lines.GetCaretPos(), 1) << "same column, one row up";
    Type({XK_Down});
    EXPECT_EQ(lines.GetCaretPos(), 4);
    EXPECT_EQ(beeps.Count(), 0);
    Type({XK_Down});
    EXPECT_EQ(lines.GetCaretPos(), 4) << "the row below holds nothing typed";
    Type({XK_Up, XK_Up});
    EXPECT_EQ(lines.GetCaretPos(), 1);
    EXPECT_EQ(beeps.Count(), 2) << "below reach and above the first row";
}

TEST_F(TextBoxTest, AClickPlacesTheCaretButNotBeyondReach)
{
    TextBoxCustom& entry = MakeBox("abcde");
    const int cell = entry.GetCellWidth();
    Script script(form.get());
    script.Then([&] { entry.Show(); MovePointer(form.get(), 20 + 3 + cell + cell / 2, 20 + 10); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] {
        EXPECT_EQ(entry.GetCaretPos(), 1);
        EXPECT_EQ(FocusedElement, &entry);
        MovePointer(form.get(), 20 + 3 + 12 * cell + cell / 2, 20 + 10);
    });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Run();
    EXPECT_EQ(entry.GetCaretPos(), 5);
}

// Counts pixels of a colour inside the box.
int CountColour(Form* form, TextBoxCustom& entry, unsigned long colour)
{
    return xtest::CountColour(form->GetWindow(), entry.GetX(), entry.GetY(), entry.GetWidth(), entry.GetHeight(),
                              static_cast<uint32_t>(colour));
}

TEST_F(TextBoxTest, ADisabledBoxIsGreyWithGreyCharactersAndNoCaret)
{
    TextBoxCustom& entry = MakeBox("MM");
    int caretWhileEnabled = 0, caretWhileDisabled = -1, greyText = 0, white = -1, background = 0;
    Script script(form.get());
    script.Then([&] { entry.Show(); form->SetFocus(); entry.SetFocus(); });
    script.Then([&] {
        Sync();
        caretWhileEnabled = CountColour(form.get(), entry, 0xFFFF00);
        entry.SetEnabledAndPaint(false);
        Sync();
        caretWhileDisabled = CountColour(form.get(), entry, 0xFFFF00);
        greyText = CountColour(form.get(), entry, 0x9B9B9B);
        white = CountColour(form.get(), entry, 0xFFFFFF);
        background = CountColour(form.get(), entry, 0xAAAAAA);
    });
    script.Run();
    EXPECT_GT(caretWhileEnabled, 0) << "the caret cell is yellow while the box has the focus";
    EXPECT_EQ(caretWhileDisabled, 0);
    EXPECT_GT(greyText, 0);
    EXPECT_GT(background, entry.GetWidth() * entry.GetHeight() / 2);
    EXPECT_LT(white, 2 * (entry.GetWidth() + entry.GetHeight())) << "white is left only in the bevel";
}

TEST_F(TextBoxTest, AKeyForADisabledOrReadOnlyBoxChangesNothing)
{
    TextBoxCustom& entry = MakeBox("ab");
    entry.SetReadOnly(true);
    Type(Letters("xy"));
    EXPECT_EQ(entry.GetText(), "ab");
    EXPECT_EQ(beeps.Count(), 0);
}

TEST_F(TextBoxTest, ABoxOfHeightTenIsRaisedToOneRow)
{
    TextBoxCustom& low = MakeBox("", 100, 10);
    const int oneRow = low.GetLineHeight() + 6;
    ASSERT_GT(low.GetLineHeight(), 4) << "the first form's font gives the line height";
    EXPECT_EQ(low.GetHeight(), std::max(oneRow, low.GetFont().GetPixelSize() + 10));
    low.Show();
    EXPECT_EQ(low.Rows(), 1);

    // With its font loaded the box asks for the font's ascent plus 10, which is
    // never more than one row: the row wins.
    low.GetFont().Load(Dpy());
    ASSERT_TRUE(low.GetFont().IsLoaded());
    low.SetSize(100, 10);
    EXPECT_EQ(low.GetHeight(), oneRow);
    EXPECT_EQ(low.Rows(), 1);
}

TEST_F(TextBoxTest, HidingKeepsWhatWasTyped)
{
    TextBoxCustom& entry = MakeBox("");
    Type(Letters("abc"));
    entry.Hide();
    EXPECT_EQ(entry.GetText(), "abc");
    entry.Show();
    EXPECT_EQ(entry.GetText(), "abc");
    entry.SetSize(150, 30);  // hides and shows again
    EXPECT_EQ(entry.GetText(), "abc");
}

TEST_F(TextBoxTest, PasswordShowsAsterisksButKeepsTheText)
{
    TextBoxCustom& secret = MakeBox("");
    secret.SetPassword(true);
    Type(Letters("pw"));
    EXPECT_EQ(secret.GetText(), "pw");
}

}  // namespace
