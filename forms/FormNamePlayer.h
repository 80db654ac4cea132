// FormNamePlayer: the small dialog in which the player types a name when a
// game is over. While it is open the form that opened it is disabled and takes
// no keys; confirming a non-empty name stores it in PlayerName, closes the
// window and runs the CloseHandler the opener installed.
#pragma once

#include "gui/Form.h"

#include <string>

class ButtonCustom;
class CellControl;
class TextBoxCustom;

// The name last confirmed; emptied whenever a FormNamePlayer is constructed.
extern std::string PlayerName;

class FormNamePlayer : public Form {
public:
    FormNamePlayer(Form* mainForm, uint64_t owner, const std::string& caption);
    FormNamePlayer(uint64_t owner, const std::string& caption);
    ~FormNamePlayer() override;

    void SetLabelText(const std::string& textOfLabel);

    // Declares the dialog transient for the main form's window.
    void OnCreated() override;

    // Run by the handlers the constructor installs.
    virtual void FormLoad();
    virtual bool FormQueryClose();
    virtual void FormResize() {}
    // Enter and Delete confirm, as a click on the OK button.
    virtual bool FormKeyPress(char character);
    virtual void FormKeyDown(KeySym /*keysym*/) {}
    virtual void FormKeyUp(KeySym /*keysym*/) {}
    virtual void ControlClick(GUIElement* control);

    TextBoxCustom* GetNameBox() const { return nameBox; }
    CellControl* GetLabelCell() const { return labelCell; }
    ButtonCustom* GetOkButton() const { return okButton; }
    Form* GetMainForm() const { return mainForm; }

private:
    void InstallHandlers();

    Form* mainForm = nullptr;
    TextBoxCustom* nameBox = nullptr;
    CellControl* labelCell = nullptr;
    ButtonCustom* okButton = nullptr;
    std::string labelText;
};
