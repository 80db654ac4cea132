// FormMsgBox: the toolkit's message box. A small window with a message in a
// bordered panel and either one "OK" button or "YES" and "NO"; it covers a
// form (disabled while the box is open) and, when it closes, hands that form
// the caller's number and the button pressed through OnDialogResult.
//
// At most one box exists: ActiveMessageBox (app/EventLoop.h) holds it, the
// next MsgBox replaces it and the event loop frees the last one when it ends.
// A replaced box is only deleted once the event that replaced it is handled,
// so a box may be opened from the OnDialogResult of the one before.
#pragma once

#include "forms/DialogForm.h"

#include <string>

class Application;
class ButtonCustom;
class CellControl;

// What a message box reports; 2 is not used.
enum MsgBoxResult : int {
    MsgBoxClosed = 0,  // closed by the window manager
    MsgBoxOk = 1,
    MsgBoxYes = 3,
    MsgBoxNo = 4,
};

class FormMsgBox : public DialogForm {
public:
    // Covers the form (may be null: nothing is covered), centred over it, and
    // creates the window at once.
    FormMsgBox(int kind, bool isQuestion, Application* app, Form* covered, const std::string& caption,
               const std::string& message);
    ~FormMsgBox() override;

    // A new kind, button set, title and message; buttons already built follow.
    virtual void Prepare(int newKind, bool question, const std::string& caption, const std::string& newMessage);
    void FormLoad() override;
    // Gives the covered form its keys back; always true.
    bool FormQueryClose() override;
    // The covered form's OnDialogResult with kind and result.
    virtual void NotifyResult();
    // A button was pressed: record which, close and report. No key closes
    // the box or presses a button (FormKeyPress answers true to every key).
    void ControlClick(GUIElement* control) override;
    virtual void SetMessage(const std::string& newMessage);

    // Closes the window without a result when a newer box takes this one's
    // place, and gives the covered form back unless another dialog covers it.
    void Retire();

    const std::string& GetMessage() const { return message; }
    bool IsQuestion() const { return isQuestion; }
    int GetKind() const { return kind; }
    int GetResult() const { return result; }
    CellControl* GetMessageCell() const { return messageCell; }
    ButtonCustom* GetOkButton() const { return okButton; }
    ButtonCustom* GetNoButton() const { return noButton; }

private:
    void ApplyButtons();

    std::string message;
    bool isQuestion = false;
    int kind = 0;
    int result = MsgBoxClosed;
    CellControl* messageCell = nullptr;
    ButtonCustom* okButton = nullptr;
    ButtonCustom* noButton = nullptr;
};

// Each opens a new box in place of ActiveMessageBox and returns it (owned by
// the toolkit). With no form given the box covers the first form of FormList.
FormMsgBox* MsgBox(int kind, Form* covered, const std::string& message, const std::string& caption);
FormMsgBox* MsgBoxYesNo(int kind, Form* covered, const std::string& message, const std::string& caption);
FormMsgBox* MsgBox(Form* covered, const std::string& message, const std::string& caption);
FormMsgBox* MsgBox(const std::string& message, const std::string& caption);
FormMsgBox* MsgBoxYesNo(int kind, const std::string& message, const std::string& caption);
