// The high-score side of the game flow: the table's lines shown in turn on
// the title screen, the name entry after the last life, and the recording of
// the finished game's score when the name form closes.
#include "game/FormMain.h"

#include "game/HighScoreStrip.h"

#include "forms/FormNamePlayer.h"
#include "forms/ScoreTable.h"
#include "support/StringUtil.h"

namespace {
constexpr const char* kGameTitle = "Bruvo Stage Krodel";  // names the table's folder
constexpr const char* kNameCaption = "Classifica";
constexpr const char* kNamePrompt = "Enter your name";
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kHighScoreX = 5, kHighScoreY = 7;  // pixels: the line in the top strip
constexpr int kNameColumns = 12;  // the name is padded to this many characters
}  // namespace

void FormMain::LoadHighScores()
{
    ScoreTable table(kGameTitle);
    highScoreLines = table.Load();
}

// Called every fifth blink of the title; the strip alternates between a line
// of the table and nothing.
void FormMain::ShowNextHighScore()
{
    if (highScoreLines.empty())
        return;
    RenderRect(0, 0, kWidth, StripHeight(), kStripColour);
    const bool write = highScoreWrites;
    highScoreWrites = !highScoreWrites;
    if (!write)
        return;
    if (highScoreShown < 0 || highScoreShown >= static_cast<int32_t>(highScoreLines.size()))
        highScoreShown = 0;
    RenderText(kHighScoreX, kHighScoreY, HighScoreStripText(highScoreShown + 1, highScoreLines[highScoreShown]),
               kWhite);
    highScoreShown = (highScoreShown + 1) % static_cast<int32_t>(highScoreLines.size());
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
    nameForm->MoveTo(GetX() + (kWidth - nameForm->GetWidth()) / 2,
                     GetY() + (kHeight - nameForm->GetHeight()) / 2);
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
    table.AddScore(score, PadRight(PlayerName, ' ', kNameColumns) + " Level " + IntToString(level));
    gameState = GameState::ScoreRecorded;
    // What comes next: any key returns to the title.
    banner.Show(*this, "PRESS ANY KEY", kPressAnyKeyY);
    // The name form's window is gone: keys must reach the game window again.
    SetFocus();
}
