#include "forms/FormNamePlayer.h"

#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/TextBoxCustom.h"
#include "services/SoundPlayer.h"

std::string PlayerName;

namespace {

constexpr int32_t kFormWidth = 250;   // pixels, client area
constexpr int32_t kFormHeight = 115;  // pixels
constexpr int32_t kLabelTop = 15;
constexpr int32_t kLabelHeight = 14;
constexpr int32_t kNameTop = 45;
constexpr int32_t kNameHeight = 20;
constexpr int kNameLength = 10;       // characters
constexpr int32_t kButtonTop = 80;
constexpr int32_t kButtonWidth = 80;
constexpr int32_t kButtonHeight = 28;
constexpr char kCarriageReturn = 13;
constexpr char kDelete = 127;

}  // namespace

FormNamePlayer::FormNamePlayer(Form* main, uint64_t ownerValue, const std::string& caption)
    : DialogForm(ownerValue, true)
{
    PlayerName.clear();
    if (main != nullptr) {
        SetApplication(main->GetApplication());
        // Until this form closes the main form ignores its keys.
        Cover(main);
    }
    SetSize(kFormWidth, kFormHeight);
    CentreOverCovered();
    SetTitle(caption);
}

FormNamePlayer::FormNamePlayer(uint64_t ownerValue, const std::string& caption)
    : FormNamePlayer(nullptr, ownerValue, caption)
{
}

FormNamePlayer::~FormNamePlayer()
{
    delete nameBox;
    delete labelCell;
    delete okButton;
}

void FormNamePlayer::SetLabelText(const std::string& textOfLabel)
{
    labelText = textOfLabel;
    if (created && labelCell != nullptr)
        labelCell->SetText(labelText);
}

void FormNamePlayer::FormLoad()
{
    const int32_t formWidth = GetWidth();

    labelCell = new CellControl(this);
    labelCell->SetText(labelText);
    labelCell->SetAlignment(2);
    labelCell->SetSize(formWidth, kLabelHeight);
    labelCell->MoveTo(0, kLabelTop);
    labelCell->Create();

    nameBox = new TextBoxCustom(this, "");
    nameBox->SetSize(formWidth / 2, kNameHeight);
    nameBox->MoveTo(formWidth / 4, kNameTop);
    nameBox->SetMaxLength(kNameLength);
    nameBox->Create();

    okButton = new ButtonCustom(this, "OK");
    okButton->SetSize(kButtonWidth, kButtonHeight);
    okButton->MoveTo((formWidth - kButtonWidth) / 2, kButtonTop);
    okButton->SetCommand(&ForwardClick);
    okButton->Create();

    nameBox->SetFocus();
}

bool FormNamePlayer::FormQueryClose()
{
    FormSpare2();
    Uncover();
    return true;
}

bool FormNamePlayer::FormKeyPress(char character)
{
    if (character == kCarriageReturn || character == kDelete) {
        if (okButton != nullptr)
            ControlClick(okButton);
        return false;
    }
    return true;
}

void FormNamePlayer::ControlClick(GUIElement* control)
{
    // Once closed, nothing: Return on the focused OK confirms through the
    // button and then reaches the form's own KeyPress.
    if (!created || !SameControl(control, okButton))
        return;
    const std::string name = nameBox != nullptr ? nameBox->GetText() : std::string();
    if (name.empty()) {
        PlayBeep();
        if (nameBox != nullptr)
            nameBox->SetFocus();
        return;
    }
    if (!FormQueryClose())
        return;
    PlayerName = name;
    DestroyWindow();
    Close();
}
