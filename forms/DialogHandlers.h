// The handlers a dialog form installs on itself, each passing the event on to
// the dialog's virtual of the same event, and the command of its buttons.
// Dialog is the form class; it supplies the Form* virtuals it names.
#pragma once

#include "gui/Form.h"
#include "gui/GUIElement.h"
#include "gui/images/Picture.h"

namespace dialog {

// Whether a command came from a known control of the dialog (compared by
// identifier; either may be null).
inline bool SameControl(const GUIElement* control, const GUIElement* known)
{
    return control != nullptr && known != nullptr && control->GetId() == known->GetId();
}

// The dialog covers the form: the form is disabled and names the dialog as
// its activeDialog, and a control of the form loses the keyboard focus, so
// that the dialog's keys cannot reach it. Nothing when covered is null.
void Cover(Form* covered, Form* dialogForm);
// The covered form takes its keys again and forgets the dialog, unless another
// dialog has covered it since: that one gives it back. Nothing when covered
// is null.
void Uncover(Form* covered, const Form* dialogForm);
// Places a dialog of the given size centred over a form (outer corners, as
// MoveTo takes them).
void CentreOver(Form* dialogForm, Form* over, int32_t width, int32_t height);
// Tells the window manager that the dialog's window belongs to the form's;
// nothing when either has no window yet.
void MarkTransientFor(Form* dialogForm, const Form* covered);

template <class Dialog>
void Load(GUIElement* element, uint64_t /*userData*/)
{
    static_cast<Dialog*>(element)->FormLoad();
}

template <class Dialog>
bool QueryClose(GUIElement* element)
{
    return static_cast<Dialog*>(element)->FormQueryClose();
}

template <class Dialog>
void Resize(GUIElement* element)
{
    static_cast<Dialog*>(element)->FormResize();
}

template <class Dialog>
bool KeyPress(GUIElement* element, char character)
{
    return static_cast<Dialog*>(element)->FormKeyPress(character);
}

template <class Dialog>
void KeyDown(GUIElement* element, KeySym keysym)
{
    static_cast<Dialog*>(element)->FormKeyDown(keysym);
}

template <class Dialog>
void KeyUp(GUIElement* element, KeySym keysym)
{
    static_cast<Dialog*>(element)->FormKeyUp(keysym);
}

// A button's command: the dialog the button is on hears of the click.
template <class Dialog>
void ForwardClick(GUIElement* element, GUIElement* /*argument*/)
{
    // FormOf walks up through panels to the form.
    if (auto* form = dynamic_cast<Dialog*>(FormOf(element)))
        form->ControlClick(element);
}

}  // namespace dialog
