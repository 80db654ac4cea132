#include "forms/DialogForm.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "gui/images/Picture.h"
#include "support/Packing.h"

#include <X11/Xutil.h>

namespace {

DialogForm* DialogOf(GUIElement* element)
{
    return static_cast<DialogForm*>(element);
}

}  // namespace

DialogForm::DialogForm(uint64_t ownerValue, bool dialog) : Form(ownerValue, dialog)
{
    SetLoadHandler([](GUIElement* element, uint64_t) { DialogOf(element)->FormLoad(); });
    SetQueryCloseHandler([](GUIElement* element) { return DialogOf(element)->FormQueryClose(); });
    SetResizeHandler([](GUIElement* element) { DialogOf(element)->FormResize(); });
    SetKeyPressHandler([](GUIElement* element, char character) { return DialogOf(element)->FormKeyPress(character); });
    SetKeyDownHandler([](GUIElement* element, KeySym keysym) { DialogOf(element)->FormKeyDown(keysym); });
    SetKeyUpHandler([](GUIElement* element, KeySym keysym) { DialogOf(element)->FormKeyUp(keysym); });
}

DialogForm::~DialogForm()
{
    Uncover();
}

Form* DialogForm::GetCoveredForm() const
{
    // Only ever a form; cleared when that form is deleted first.
    return static_cast<Form*>(parent);
}

void DialogForm::Cover(Form* covered)
{
    if (covered == nullptr)
        return;
    parent = covered;
    covered->SetEnabled(false);
    covered->SetActiveDialog(this);
    if (FocusedElement != nullptr && FormOf(FocusedElement) == covered) {
        FocusedElement->LostFocus();
        FocusedElement = nullptr;
    }
}

void DialogForm::Uncover()
{
    Form* covered = GetCoveredForm();
    if (covered == nullptr || covered->GetActiveDialog() != this)
        return;
    covered->SetActiveDialog(nullptr);
    covered->SetEnabled(true);
}

void DialogForm::CentreOverCovered()
{
    Form* over = GetCoveredForm();
    if (over == nullptr)
        return;
    const uint64_t at = over->GetPosition();
    const uint64_t size = over->GetSize();
    MoveTo(PointX(at) + (PointX(size) - width) / 2, PointY(at) + (PointY(size) - height) / 2);
}

void DialogForm::OnCreated()
{
    const Form* covered = GetCoveredForm();
    if (covered != nullptr && covered->GetWindow() != 0 && window != 0 && application != nullptr)
        XSetTransientForHint(application->GetDisplay(), window, covered->GetWindow());
}

void DialogForm::ForwardClick(GUIElement* element, GUIElement* /*argument*/)
{
    // FormOf walks up through panels to the form.
    if (auto* dialog = dynamic_cast<DialogForm*>(FormOf(element)))
        dialog->ControlClick(element);
}

bool DialogForm::SameControl(const GUIElement* control, const GUIElement* known)
{
    return control != nullptr && known != nullptr && control->GetId() == known->GetId();
}
