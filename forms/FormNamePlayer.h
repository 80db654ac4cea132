// FormNamePlayer: the small dialog in which the player types a name when a
// game is over. While it is open the form that opened it is covered (disabled,
// it takes no keys) and the dialog stands centred over it; confirming a
// non-empty name stores it in PlayerName, closes the window and runs the
// CloseHandler the opener installed.
#pragma once

#include "forms/DialogForm.h"

#include <string>

class ButtonCustom;
class CellControl;
class TextBoxCustom;

// The name last confirmed; emptied whenever a FormNamePlayer is constructed.
extern std::string PlayerName;

class FormNamePlayer : public DialogForm {
public:
    FormNamePlayer(Form* mainForm, uint64_t owner, const std::string& caption);
    FormNamePlayer(uint64_t owner, const std::string& caption);
    ~FormNamePlayer() override;

    void SetLabelText(const std::string& textOfLabel);

    void FormLoad() override;
    // Gives the main form its keys back; always true.
    bool FormQueryClose() override;
    // Enter and Delete confirm, as a click on the OK button.
    bool FormKeyPress(char character) override;
    void ControlClick(GUIElement* control) override;

    TextBoxCustom* GetNameBox() const { return nameBox; }
    CellControl* GetLabelCell() const { return labelCell; }
    ButtonCustom* GetOkButton() const { return okButton; }
    // The form that opened it: null without one, and once it is deleted.
    Form* GetMainForm() const { return GetCoveredForm(); }

private:
    TextBoxCustom* nameBox = nullptr;
    CellControl* labelCell = nullptr;
    ButtonCustom* okButton = nullptr;
    std::string labelText;
};
