// The high-score side of the game flow: the table's lines shown in turn on
// the title screen.
#include "game/FormMain.h"

#include "forms/ScoreTable.h"
#include "support/StringUtil.h"

namespace {
constexpr const char* kGameTitle = "Bruvo Stage Krodel";  // names the table's folder
constexpr int32_t kWhite = 0xFFFFFF;
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
    RenderRect(0, 0, QueryWidth(), fontHeight + 14, static_cast<int32_t>(kStripColour));
    const bool write = highScoreWrites;
    highScoreWrites = !highScoreWrites;
    if (!write)
        return;
    if (highScoreShown < 0 || highScoreShown >= static_cast<int32_t>(highScoreLines.size()))
        highScoreShown = 0;
    // 0xB0, the Latin-1 degree sign, serves as an ordinal mark.
    const std::string text = "Top Ten: " + PadLeft(IntToString(highScoreShown + 1), ' ', 2) + "\xB0 Score " +
                             highScoreLines[highScoreShown];
    RenderText(5, 7, text, kWhite);
    highScoreShown = (highScoreShown + 1) % static_cast<int32_t>(highScoreLines.size());
}
