#include "forms/FormMsgBox.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "gui/Registry.h"
#include "gui/ToolkitColours.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"

namespace {

constexpr int32_t kBoxWidth = 250;           // pixels
constexpr int32_t kBoxHeight = 150;          // pixels
constexpr int32_t kBoxBackColor = kNoColourGrey;
constexpr int32_t kMessageMargin = 10;       // pixels, left, top and right of the message
constexpr int32_t kMessageBottomSpace = 60;  // pixels below the message, for the buttons
constexpr int32_t kMessageBackColor = 0xB7B7B7;
constexpr int32_t kMessageTextColor = 0x000000;
constexpr int32_t kButtonWidth = 110;        // pixels
constexpr int32_t kButtonHeight = 28;        // pixels
constexpr int32_t kButtonFromBottom = 40;    // pixels from the bottom edge to a button's top
constexpr int32_t kOkFromRight = 120;        // pixels from the right edge to the first button's left

// The form a box covers when the caller names none: the first form of
// FormList, leaving out boxes that are only waiting to be deleted.
Form* FirstForm()
{
    for (Form* form : FormList)
        if (!IsDeletePending(form))
            return form;
    return nullptr;
}

FormMsgBox* Open(int kind, bool question, Form* covered, const std::string& message, const std::string& caption)
{
    if (Form* previous = ActiveMessageBox) {
        // A box asked to cover the box it replaces covers what that one covered.
        if (covered == previous) {
            auto* box = dynamic_cast<FormMsgBox*>(previous);
            covered = box != nullptr ? box->GetCoveredForm() : nullptr;
        }
        ActiveMessageBox = nullptr;
        if (auto* box = dynamic_cast<FormMsgBox*>(previous))
            box->Retire();
        else
            previous->DestroyWindow();
        // Its button or close may be what opens this box: it goes when that
        // event is over. Outside an event it is deleted here and now.
        DeleteAfterEvent(previous);
    }
    if (covered == nullptr)
        covered = FirstForm();
    Application* app = covered != nullptr ? covered->GetApplication() : nullptr;
    if (app == nullptr)
        app = MainApplication;
    auto* box = new FormMsgBox(kind, question, app, covered, caption, message);
    ActiveMessageBox = box;
    return box;
}

}  // namespace

FormMsgBox::FormMsgBox(int newKind, bool question, Application* app, Form* covered, const std::string& caption,
                       const std::string& newMessage)
    : DialogForm(0, true), message(newMessage), isQuestion(question), kind(newKind)
{
    if (app != nullptr)
        SetApplication(app);
    Cover(covered);

    SetSize(kBoxWidth, kBoxHeight);
    if (covered != nullptr)
        CentreOverCovered();
    else
        CenterOnScreen();
    SetTitle(caption);

    SetCloseHandler([](GUIElement* element) { static_cast<FormMsgBox*>(element)->NotifyResult(); });
    SetBackColor(kBoxBackColor);
    Create();
}

FormMsgBox::~FormMsgBox()
{
    DestroyWindow();
    delete okButton;
    delete noButton;
    delete messageCell;
}

void FormMsgBox::Prepare(int newKind, bool question, const std::string& caption, const std::string& newMessage)
{
    kind = newKind;
    isQuestion = question;
    SetTitle(caption);
    SetMessage(newMessage);
    ApplyButtons();
}

void FormMsgBox::FormLoad()
{
    const int32_t boxWidth = GetWidth();
    const int32_t boxHeight = GetHeight();

    messageCell = new CellControl(this);
    messageCell->MoveTo(kMessageMargin, kMessageMargin);
    messageCell->SetBorder(true);
    messageCell->SetBackColor(kMessageBackColor);
    messageCell->SetTextColor(kMessageTextColor);
    messageCell->SetText(message);
    messageCell->SetSize(boxWidth - 2 * kMessageMargin, boxHeight - kMessageBottomSpace);
    messageCell->Create();

    okButton = new ButtonCustom(this, "OK");
    okButton->MoveTo(boxWidth - kOkFromRight, boxHeight - kButtonFromBottom);
    okButton->SetSize(kButtonWidth, kButtonHeight);
    okButton->SetCommand(&ForwardClick);
    okButton->SetTabStop(false);
    okButton->Create();

    noButton = new ButtonCustom(this, "NO");
    noButton->MoveTo(kMessageMargin, boxHeight - kButtonFromBottom);
    noButton->SetSize(kButtonWidth, kButtonHeight);
    noButton->SetCommand(&ForwardClick);
    noButton->SetTabStop(false);
    noButton->Create();

    ApplyButtons();
}

// "YES" and "NO" for a question, a lone "OK" otherwise. The buttons are no
// tab stops, and a hidden NO is disabled as well: no key presses a button.
void FormMsgBox::ApplyButtons()
{
    if (okButton != nullptr)
        okButton->SetText(isQuestion ? "YES" : "OK");
    if (noButton == nullptr)
        return;
    noButton->SetEnabled(isQuestion);
    if (isQuestion)
        noButton->Show();
    else
        noButton->Hide();
}

bool FormMsgBox::FormQueryClose()
{
    Uncover();
    return true;
}

void FormMsgBox::NotifyResult()
{
    if (Form* covered = GetCoveredForm())
        covered->OnDialogResult(kind, result);
}

void FormMsgBox::ControlClick(GUIElement* control)
{
    if (!FormQueryClose())
        return;
    if (SameControl(control, okButton))
        result = isQuestion ? MsgBoxYes : MsgBoxOk;
    else if (SameControl(control, noButton))
        result = MsgBoxNo;
    DestroyWindow();
    Close();
}

void FormMsgBox::SetMessage(const std::string& newMessage)
{
    message = newMessage;
    if (created && messageCell != nullptr)
        messageCell->SetText(message);
}

void FormMsgBox::Retire()
{
    DestroyWindow();
    Uncover();
}

FormMsgBox* MsgBox(int kind, Form* covered, const std::string& message, const std::string& caption)
{
    return Open(kind, false, covered, message, caption);
}

FormMsgBox* MsgBoxYesNo(int kind, Form* covered, const std::string& message, const std::string& caption)
{
    return Open(kind, true, covered, message, caption);
}

FormMsgBox* MsgBox(Form* covered, const std::string& message, const std::string& caption)
{
    return Open(0, false, covered, message, caption);
}

FormMsgBox* MsgBox(const std::string& message, const std::string& caption)
{
    return Open(0, false, nullptr, message, caption);
}

FormMsgBox* MsgBoxYesNo(int kind, const std::string& message, const std::string& caption)
{
    return Open(kind, true, nullptr, message, caption);
}
