// The message box over a form, pressed and closed with real pointer events.
#include "tests/gui/GuiTestSupport.h"

#include "forms/FormMsgBox.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/images/Picture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>
#include <memory>
#include <utility>

using namespace guitest;

namespace {

using Results = std::vector<std::pair<int, int>>;  // kind, result

// A form that records what its message boxes report.
class CoveredForm : public RecordingForm {
public:
    using RecordingForm::RecordingForm;
    void OnDialogResult(int kind, int result) override
    {
        results.emplace_back(kind, result);
        if (onResult)
            onResult(kind, result);
    }
    Results results;
    std::function<void(int, int)> onResult;
};

FormMsgBox* Box()
{
    return static_cast<FormMsgBox*>(ActiveMessageBox);
}

// By identifier, which is never handed out again: a deleted box's address
// may already hold the next one.
bool IsRegistered(uint32_t id)
{
    return FindElementById(id) != nullptr;
}

uint32_t PixelAt(Form* form, int px, int py)
{
    return xtest::PixelAt(form->GetWindow(), px, py);
}

// How many boxes the opener button of a test opened.
int boxesOpened = 0;

void OpenBoxFromButton(GUIElement* element, GUIElement* /*argument*/)
{
    ++boxesOpened;
    MsgBox(8, FormOf(element), "From a button", "Note");
}

class FormMsgBoxTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        main = std::make_unique<CoveredForm>("main", 0, 0, 400, 300);
        main->Create();
    }
    void TearDown() override
    {
        delete ActiveMessageBox;  // the loop's shutdown frees it when a test ran one
        main.reset();
        GuiTest::TearDown();
    }
    // Presses and releases the left button on the centre of a button of the
    // box open at that step.
    void Press(Script& script, ButtonCustom* (FormMsgBox::*button)() const)
    {
        script.Then([button] {
            ButtonCustom* target = (Box()->*button)();
            MovePointer(Box(), target->GetX() + target->GetWidth() / 2, target->GetY() + target->GetHeight() / 2);
        });
        script.Then([] { Button(1, true); Button(1, false); });
    }

    std::unique_ptr<CoveredForm> main;
};

TEST_F(FormMsgBoxTest, AnOkBoxCoversTheFormCentredOverItWithOneButtonAtTheRight)
{
    FormMsgBox* box = MsgBox(7, main.get(), "Saved.", "Note");
    ASSERT_EQ(ActiveMessageBox, box);
    ASSERT_TRUE(box->IsCreated()) << "the window is made at once";
    EXPECT_FALSE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), box);
    EXPECT_EQ(box->GetCoveredForm(), main.get());
    EXPECT_EQ(box->GetText(), "Note");
    EXPECT_EQ(box->GetKind(), 7);
    EXPECT_EQ(box->GetResult(), MsgBoxClosed);
    EXPECT_EQ(box->GetBackColor(), 0xAAAAAA);

    // Centred on the covered window as the server places it.
    const uint64_t under = main->GetPosition();
    EXPECT_EQ(box->GetX(), PointX(under) + (400 - 250) / 2);
    EXPECT_EQ(box->GetY(), PointY(under) + (300 - 150) / 2);
    Window root = 0;
    int wx = 0, wy = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    ASSERT_TRUE(XGetGeometry(Dpy(), box->GetWindow(), &root, &wx, &wy, &w, &h, &border, &depth));
    EXPECT_EQ(w, 250u);
    EXPECT_EQ(h, 150u);
    Window transientFor = 0;
    ASSERT_TRUE(XGetTransientForHint(Dpy(), box->GetWindow(), &transientFor));
    EXPECT_EQ(transientFor, main->GetWindow());
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(Dpy(), box->GetWindow(), XInternAtom(Dpy(), "_NET_WM_WINDOW_TYPE", False), 0, 1,
                                 False, XA_ATOM, &type, &format, &count, &after, &data),
              Success);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(*reinterpret_cast<Atom*>(data), XInternAtom(Dpy(), "_NET_WM_WINDOW_TYPE_DIALOG", False));
    XFree(data);

    CellControl* cell = box->GetMessageCell();
    ButtonCustom* ok = box->GetOkButton();
    ButtonCustom* no = box->GetNoButton();
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(cell->GetPosition(), PackPoint(10, 10));
    EXPECT_EQ(cell->GetSize(), PackPoint(230, 90));
    EXPECT_EQ(cell->GetText(), "Saved.");
    EXPECT_EQ(cell->GetBackColor(), 0xB7B7B7);
    EXPECT_EQ(cell->GetAlignment(), 2);
    EXPECT_EQ(ok->GetPosition(), PackPoint(130, 110));
    EXPECT_EQ(ok->GetSize(), PackPoint(110, 28));
    EXPECT_EQ(ok->GetText(), "OK");
    EXPECT_TRUE(ok->IsVisible());
    EXPECT_FALSE(no->IsVisible());
    EXPECT_EQ(FindElementAt(box->GetId(), PackPoint(65, 124)), nullptr) << "no hidden button to press";

    // What the first expose paints: the grey box, the lighter message panel.
    uint32_t boxGrey = 0, panel = 0;
    Script script(main.get());
    script.Then([] {});
    script.Then([&] {
        boxGrey = PixelAt(box, 60, 124);
        panel = PixelAt(box, 15, 95);
    });
    script.Run();
    EXPECT_EQ(boxGrey, 0xAAAAAAu);
    EXPECT_EQ(panel, 0xB7B7B7u);
}

TEST_F(FormMsgBoxTest, AYesNoBoxShowsYesAtTheRightAndNoAtTheLeft)
{
    FormMsgBox* box = MsgBoxYesNo(2, main.get(), "Quit?", "Question");
    EXPECT_TRUE(box->IsQuestion());
    EXPECT_EQ(box->GetOkButton()->GetText(), "YES");
    EXPECT_EQ(box->GetOkButton()->GetPosition(), PackPoint(130, 110));
    EXPECT_EQ(box->GetNoButton()->GetText(), "NO");
    EXPECT_EQ(box->GetNoButton()->GetPosition(), PackPoint(10, 110));
    EXPECT_EQ(box->GetNoButton()->GetSize(), PackPoint(110, 28));
    EXPECT_TRUE(box->GetNoButton()->IsVisible());
    EXPECT_EQ(FindElementAt(box->GetId(), PackPoint(65, 124)), box->GetNoButton());

    box->Prepare(3, false, "Note", "Done.");
    EXPECT_EQ(box->GetText(), "Note");
    EXPECT_EQ(box->GetMessageCell()->GetText(), "Done.");
    EXPECT_EQ(box->GetOkButton()->GetText(), "OK");
    EXPECT_FALSE(box->GetNoButton()->IsVisible());
    EXPECT_FALSE(box->GetNoButton()->IsEnabled());
}

TEST_F(FormMsgBoxTest, OkYesNoAndTheWindowManagerReportOneThreeFourAndZero)
{
    Script script(main.get());
    script.Then([this] { MsgBox(10, main.get(), "One", "OK box"); });
    Press(script, &FormMsgBox::GetOkButton);
    script.Then([this] { MsgBoxYesNo(11, main.get(), "Two", "Question"); });
    Press(script, &FormMsgBox::GetOkButton);
    script.Then([this] { MsgBoxYesNo(12, main.get(), "Three", "Question"); });
    Press(script, &FormMsgBox::GetNoButton);
    script.Then([this] { MsgBoxYesNo(13, main.get(), "Four", "Question"); });
    script.Then([] { SendDeleteWindow(Box()); });
    script.Run();
    EXPECT_EQ(main->results, (Results{{10, 1}, {11, 3}, {12, 4}, {13, 0}}));
    EXPECT_TRUE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), nullptr);
    EXPECT_EQ(ActiveMessageBox, nullptr) << "the loop frees the last box when it ends";
}

TEST_F(FormMsgBoxTest, TheCoveredFormTakesNoKeysUntilTheBoxCloses)
{
    bool openAfterKeys = false;
    Script script(main.get());
    script.Then([this] { MsgBox(1, main.get(), "Wait", "Note"); });
    script.Then([this] {
        Calls().clear();
        main->SetFocus();
        Tap(XK_g);
    });
    script.Then([] {
        // Enter and Escape do nothing in the box itself.
        Box()->SetFocus();
        Tap(XK_Return);
        Tap(XK_Escape);
    });
    script.Then([&] { openAfterKeys = Box()->IsCreated() && !Box()->IsClosed(); });
    Press(script, &FormMsgBox::GetOkButton);
    script.Then([this] {
        for (const std::string& call : Calls())
            EXPECT_NE(call.rfind("main:Key", 0), 0u) << call;
        main->SetFocus();
        Tap(XK_g);
    });
    script.Run();
    EXPECT_TRUE(openAfterKeys);
    EXPECT_EQ(main->results, (Results{{1, 1}})) << "the keys pressed no button";
    EXPECT_TRUE(Called("main:KeyDown " + std::to_string(XK_g)));
}

TEST_F(FormMsgBoxTest, EachBoxOfAChainOpensFromTheResultOfTheOneBefore)
{
    // Each box is replaced from inside its own button's or close's handling.
    main->onResult = [this](int kind, int /*result*/) {
        if (kind < 3)
            MsgBoxYesNo(kind + 1, main.get(), "And then?", "Chain");
    };
    std::vector<uint32_t> boxes;
    size_t formsAtEnd = 0;
    bool lastStillRegistered = false;
    Script script(main.get());
    script.Then([&] { boxes.push_back(MsgBoxYesNo(1, main.get(), "First?", "Chain")->GetId()); });
    Press(script, &FormMsgBox::GetOkButton);
    script.Then([&] { boxes.push_back(Box()->GetId()); });
    Press(script, &FormMsgBox::GetNoButton);
    script.Then([&] {
        boxes.push_back(Box()->GetId());
        SendDeleteWindow(Box());
    });
    script.Then([&] {
        formsAtEnd = FormList.size();
        lastStillRegistered = IsRegistered(boxes.back());
    });
    script.Run();
    EXPECT_EQ(main->results, (Results{{1, 3}, {2, 4}, {3, 0}}));
    EXPECT_EQ(formsAtEnd, 2u) << "the replaced boxes are gone once their events were handled";
    EXPECT_TRUE(lastStillRegistered) << "the last box stays until the loop ends";
    EXPECT_TRUE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), nullptr);
}

TEST_F(FormMsgBoxTest, AReplacedBoxGivesItsFormBackAndIsDeletedAtOnceOutsideAnEvent)
{
    CoveredForm other("other", 450, 0, 300, 200);
    other.Create();
    const uint32_t first = MsgBox(1, main.get(), "a", "First")->GetId();
    FormMsgBox* second = MsgBoxYesNo(2, &other, "b", "Second");
    EXPECT_FALSE(IsRegistered(first));
    EXPECT_TRUE(main->IsEnabled()) << "the replaced box gave its form back";
    EXPECT_EQ(main->GetActiveDialog(), nullptr) << "and left no pointer to itself";
    EXPECT_TRUE(main->results.empty()) << "a replaced box reports nothing";
    EXPECT_FALSE(other.IsEnabled());
    EXPECT_EQ(other.GetActiveDialog(), second);

    // Over the same form the newer box keeps it covered and gives it back.
    FormMsgBox* third = MsgBox(3, &other, "c", "Third");
    EXPECT_FALSE(other.IsEnabled());
    EXPECT_EQ(other.GetActiveDialog(), third);
    third->ControlClick(third->GetOkButton());
    EXPECT_TRUE(other.IsEnabled());
    EXPECT_EQ(other.GetActiveDialog(), nullptr);
    EXPECT_EQ(other.results, (Results{{3, 1}}));
    delete ActiveMessageBox;
}

TEST_F(FormMsgBoxTest, InsideAnEventAReplacedBoxGivesItsFormBackAtOnceAndGoesAfterTheEvent)
{
    CoveredForm other("other", 450, 0, 300, 200);
    other.Create();
    uint32_t first = 0;
    bool enabledAtOnce = false, pointerClearedAtOnce = false, keptDuringTheEvent = false, goneAfter = false;
    Script script(main.get());
    script.Then([&] { first = MsgBox(1, main.get(), "a", "First")->GetId(); });
    script.Then([&] {
        MsgBox(2, &other, "b", "Second");
        enabledAtOnce = main->IsEnabled();
        pointerClearedAtOnce = main->GetActiveDialog() == nullptr;
        keptDuringTheEvent = IsRegistered(first);
    });
    script.Then([&] { goneAfter = !IsRegistered(first); });
    script.Run();
    EXPECT_TRUE(enabledAtOnce);
    EXPECT_TRUE(pointerClearedAtOnce);
    EXPECT_TRUE(keptDuringTheEvent);
    EXPECT_TRUE(goneAfter);
}

TEST_F(FormMsgBoxTest, ABoxOpenedOverTheBoxItReplacesCoversWhatThatOneCovered)
{
    // Outside an event the replaced box is deleted at once, inside one once
    // the event is over.
    for (bool inEvent : {false, true}) {
        SCOPED_TRACE(inEvent ? "inside an event" : "outside an event");
        main->results.clear();
        const auto open = [this] { MsgBox(2, MsgBox(1, main.get(), "a", "First"), "b", "Second"); };
        Form* covered = nullptr;
        bool mainDisabled = false;
        const auto answer = [&] {
            covered = Box()->GetCoveredForm();
            mainDisabled = !main->IsEnabled() && main->GetActiveDialog() == Box();
            Box()->ControlClick(Box()->GetOkButton());
        };
        if (inEvent) {
            Script script(main.get());
            script.Then(open);
            script.Then(answer);
            script.Run();
        } else {
            open();
            answer();
        }
        EXPECT_EQ(covered, main.get());
        EXPECT_TRUE(mainDisabled);
        EXPECT_TRUE(main->IsEnabled());
        EXPECT_EQ(main->results, (Results{{2, 1}}));
    }
    delete ActiveMessageBox;
}

TEST_F(FormMsgBoxTest, ReturnWhileTheMouseHoldsAButtonAnswersNothing)
{
    Results whileHeld{{-1, -1}};
    bool pressedWhileHeld = false;
    Script script(main.get());
    script.Then([this] { MsgBox(9, main.get(), "Hold", "Note"); });
    script.Then([] {
        const ButtonCustom* ok = Box()->GetOkButton();
        MovePointer(Box(), ok->GetX() + ok->GetWidth() / 2, ok->GetY() + ok->GetHeight() / 2);
    });
    script.Then([] { Button(1, true); });
    script.Then([] {
        Box()->SetFocus();
        Tap(XK_Return);
    });
    script.Then([&] {
        whileHeld = main->results;
        pressedWhileHeld = Box()->GetOkButton()->IsPressed();
        Button(1, false);
    });
    script.Run();
    EXPECT_EQ(whileHeld, Results{});
    EXPECT_TRUE(pressedWhileHeld);
    EXPECT_EQ(main->results, (Results{{9, 1}})) << "the mouse's release answers, once";
}

TEST_F(FormMsgBoxTest, WithoutAFormTheBoxCoversTheFirstForm)
{
    CoveredForm later("later", 450, 0, 300, 200);
    later.Create();
    FormMsgBox* box = MsgBoxYesNo(5, "Sure?", "Question");
    EXPECT_EQ(box->GetCoveredForm(), main.get());
    EXPECT_FALSE(main->IsEnabled());
    EXPECT_TRUE(later.IsEnabled());
    EXPECT_EQ(box->GetX(), PointX(main->GetPosition()) + 75);
    box->ControlClick(box->GetNoButton());
    EXPECT_EQ(main->results, (Results{{5, 4}}));

    MsgBox("Plain", "Note");
    EXPECT_EQ(Box()->GetKind(), 0);
    EXPECT_EQ(Box()->GetCoveredForm(), main.get());
    MsgBox(main.get(), "Plain", "Note");
    EXPECT_EQ(Box()->GetKind(), 0);
    EXPECT_FALSE(Box()->IsQuestion());
    delete ActiveMessageBox;
}

TEST_F(FormMsgBoxTest, WithNoFormOpenTheBoxCoversNothing)
{
    main.reset();
    ASSERT_TRUE(FormList.empty());
    FormMsgBox* box = MsgBox(4, nullptr, "Alone", "Note");
    EXPECT_EQ(box->GetCoveredForm(), nullptr);
    EXPECT_TRUE(box->IsCreated());
    EXPECT_EQ(box->GetX(), (App()->GetScreenWidth() - 250) / 2) << "centred on the screen instead";
    box->ControlClick(box->GetOkButton());
    EXPECT_EQ(box->GetResult(), MsgBoxOk);
    EXPECT_TRUE(box->IsClosed());

    // The closed box is the first form now; replaced inside an event it only
    // waits for deletion and is no form to cover.
    CoveredForm later("later", 0, 0, 400, 300);
    later.Create();
    Form* coveredInEvent = box;
    Script script(&later);
    script.Then([&] { coveredInEvent = MsgBoxYesNo(5, "Again", "Note")->GetCoveredForm(); });
    script.Run();
    EXPECT_EQ(coveredInEvent, &later);
}

TEST_F(FormMsgBoxTest, ACoveredFormDeletedFirstLeavesTheBoxWithNothingToReportTo)
{
    FormMsgBox* box = MsgBox(6, main.get(), "Gone", "Note");
    main.reset();
    EXPECT_EQ(box->GetCoveredForm(), nullptr);
    box->ControlClick(box->GetOkButton());
    EXPECT_EQ(box->GetResult(), MsgBoxOk);
    delete ActiveMessageBox;
}

TEST_F(FormMsgBoxTest, TheButtonThatOpenedTheBoxLosesTheFocusAndHearsNoneOfItsKeys)
{
    boxesOpened = 0;
    ButtonCustom opener(main.get(), "Open");
    opener.MoveTo(10, 10);
    opener.SetSize(80, 28);
    opener.SetCommand(&OpenBoxFromButton);
    opener.Show();
    FormMsgBox* opened = nullptr;
    GUIElement* focusAfterOpening = &opener;
    bool openerFocused = true, openAfterReturn = false;
    Script script(main.get());
    script.Then([this] { MovePointer(main.get(), 50, 24); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] {
        opened = Box();
        focusAfterOpening = FocusedElement;
        openerFocused = opener.IsFocused();
        Box()->SetFocus();
        Tap(XK_Return);
    });
    script.Then([&] { openAfterReturn = Box() == opened && opened->IsCreated() && !opened->IsClosed(); });
    script.Run();
    EXPECT_EQ(boxesOpened, 1) << "Return in the box ran the opener's command";
    EXPECT_EQ(focusAfterOpening, nullptr);
    EXPECT_FALSE(openerFocused);
    EXPECT_TRUE(openAfterReturn);
    EXPECT_TRUE(main->results.empty());
}

TEST_F(FormMsgBoxTest, TabAndReturnPressNoButtonOfTheBox)
{
    FormMsgBox* okBox = nullptr;
    bool okBoxOpen = false, questionOpen = false;
    Script script(main.get());
    script.Then([&] { okBox = MsgBox(20, main.get(), "Hidden NO", "Note"); });
    script.Then([] {
        Box()->SetFocus();
        Tap(XK_Tab);
        Tap(XK_Tab);
        Tap(XK_Return);
    });
    script.Then([&] {
        okBoxOpen = Box() == okBox && okBox->IsCreated();
        EXPECT_FALSE(okBox->GetOkButton()->IsTabStop());
        EXPECT_FALSE(okBox->GetNoButton()->IsTabStop());
        EXPECT_FALSE(okBox->GetNoButton()->IsEnabled()) << "hidden, so disabled too";
        MsgBoxYesNo(21, main.get(), "Sure?", "Question");
    });
    script.Then([] {
        EXPECT_TRUE(Box()->GetNoButton()->IsEnabled());
        Box()->SetFocus();
        Tap(XK_Tab);
        Tap(XK_Return);
        Tap(XK_Tab);
        Tap(XK_Tab);
        Tap(XK_Return);
    });
    script.Then([&] { questionOpen = Box()->IsCreated() && !Box()->IsClosed(); });
    script.Run();
    EXPECT_TRUE(okBoxOpen);
    EXPECT_TRUE(questionOpen);
    EXPECT_EQ(main->results, Results{}) << "no key pressed a button";
}

}  // namespace
