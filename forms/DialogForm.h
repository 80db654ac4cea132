// DialogForm: what the toolkit's dialogs (the name entry, the message box and
// the about dialog) share. While open a dialog covers a form: the form is
// disabled, names the dialog as its activeDialog and loses the keyboard
// focus, so that the dialog's keys cannot reach it. The dialog stands centred
// over it and is transient for its window. The handlers the base installs
// pass each event on to the hook of the same name, and the dialog's buttons
// reach ControlClick through ForwardClick.
#pragma once

#include "gui/Form.h"

#include <X11/Xlib.h>

class DialogForm : public Form {
public:
    // Gives the covered form back when the dialog goes while still open.
    ~DialogForm() override;

    // Declares the dialog transient for the covered form's window.
    void OnCreated() override;

    // The hooks, run by the Load, QueryClose, Resize, KeyPress, KeyDown and
    // KeyUp handlers the constructor installs, and by the buttons' command.
    virtual void FormLoad() {}
    virtual bool FormQueryClose() { return true; }
    virtual void FormResize() {}
    // True lets the key go on as typed.
    virtual bool FormKeyPress(char /*character*/) { return true; }
    virtual void FormKeyDown(KeySym /*keysym*/) {}
    virtual void FormKeyUp(KeySym /*keysym*/) {}
    virtual void ControlClick(GUIElement* /*control*/) {}

    // The form it covers, held as its parent: null when there is none and
    // once that form is deleted.
    Form* GetCoveredForm() const;

protected:
    DialogForm(uint64_t owner, bool isDialog);

    // Covers the form; nothing when it is null.
    void Cover(Form* covered);
    // The covered form takes its keys again and forgets the dialog, unless
    // another dialog has covered it since: that one gives it back.
    void Uncover();
    // Moves the dialog, at its current size, centred over the covered form
    // (outer corners, as MoveTo takes them); nothing without one.
    void CentreOverCovered();

    // The command of the dialog's buttons: the dialog the button is on hears
    // of the click.
    static void ForwardClick(GUIElement* element, GUIElement* argument);
    // Whether a command came from a known control (compared by identifier;
    // either may be null).
    static bool SameControl(const GUIElement* control, const GUIElement* known);
};
