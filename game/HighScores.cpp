// The high-score side of the game: the table's lines for the title screen,
// the name entry after the last life, and the recording of the finished
// game's score when the name form closes.
#include "game/FormMain.h"

#include "forms/FormNamePlayer.h"
#include "forms/ScoreTable.h"
#include "support/StringUtil.h"

namespace {
constexpr const char* kNameCaption = "Classifica";
constexpr const char* kNamePrompt = "Enter your name";
constexpr int kNameColumns = 12;  // the name is padded to this many characters
}  // namespace

void FormMain::LoadHighScores()
{
    ScoreTable table(kGameTitle);
    highScoreLines = table.Load();
    world.SetHighScoreCount(static_cast<int32_t>(highScoreLines.size()));
}

void FormMain::OpenNameEntry()
{
    delete nameForm;
    nameForm = new FormNamePlayer(this, GetOwner(), kNameCaption);
    nameForm->SetCloseHandler(NameFormClosed);
    // Without a prompt the dialog shows a bare entry field.
    nameForm->SetLabelText(kNamePrompt);
    // Centred over the game window; both positions are the windows' outer
    // corners, as MoveTo takes them.
    nameForm->MoveTo(GetX() + (kWidth - nameForm->GetWidth()) / 2, GetY() + (kHeight - nameForm->GetHeight()) / 2);
    nameForm->Create();
    nameForm->Show();
    // Without a window manager nobody else gives the new window the keyboard.
    nameForm->SetFocus();
}

void FormMain::NameFormClosed(GUIElement* element)
{
    Form* opener = static_cast<FormNamePlayer*>(element)->GetMainForm();
    if (opener != nullptr)
        static_cast<FormMain*>(opener)->AddHighScore();
}

void FormMain::AddHighScore()
{
    ScoreTable table(kGameTitle);
    table.AddScore(world.GetScore(), PadRight(PlayerName, ' ', kNameColumns) + " Level " + IntToString(world.GetLevel()));
    // The world goes on at its next step: any key returns to the title.
    events.Push(StepInput::Event::NameEntered);
    // The name form's window is gone: keys must reach the game window again.
    SetFocus();
}
