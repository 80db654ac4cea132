// The high-score side of the game: the title's "Top Ten" strip, the name
// entry after the last life and the line it leaves in the table.
// gtest first: the X headers define macros (None, Bool) that clash with it.
#include <gtest/gtest.h>

#include "forms/FormNamePlayer.h"
#include "game/FormMain.h"
#include "game/HighScoreStrip.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/TextBoxCustom.h"
#include "support/Packing.h"
#include "tests/game/GameFixture.h"

#include <sys/stat.h>

namespace {
constexpr const char* kTableFile = "Data/Bruvo Stage Krodel/Score/Classifica.txt";

class HighScoresTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.Ready()); }

    TestGame& Game() { return *f.game; }

    void WriteTable(const std::string& lines)
    {
        mkdir("Data/Bruvo Stage Krodel", 0777);
        mkdir("Data/Bruvo Stage Krodel/Score", 0777);
        f.dir.Write(kTableFile, lines);
    }

    // One blink of the title: the clock moves a second, one tick.
    void Blink()
    {
        f.AdvanceClock(1);
        f.Tick();
    }

    // White pixels of the top strip, and the right-most column holding one.
    std::pair<int, int> StripText()
    {
        int count = 0, right = -1;
        for (int32_t y = 0; y < Game().GetFontHeight() + 14; ++y)
            for (int32_t x = 0; x < 800; ++x)
                if (GameFixture::Pixel(Game().GetScreenBuffer(), x, y) == 0xFFFFFF) {
                    ++count;
                    right = std::max(right, x);
                }
        return {count, right};
    }

    // Loses the three lives of a game started at the given level with that score.
    void LoseTheGame(int32_t level, int32_t score)
    {
        f.StartGameAt(level);
        Game().SetScore(score);
        Game().SetLives(1);
        Game().PlayerDies();
    }

    GameFixture f;
};
}  // namespace

TEST_F(HighScoresTest, WithoutATableTheTopStripIsNeverTouched)
{
    EXPECT_TRUE(Game().HighScoreLines().empty());
    f.Tick();
    const std::pair<int, int> before = StripText();
    for (int i = 0; i < 12; ++i)
        Blink();
    EXPECT_EQ(StripText(), before);
}

TEST_F(HighScoresTest, StripShowsTheLinesInTurnEveryFiveBlinks)
{
    WriteTable("00000900 Zoe          Level 2\n00000350 Mario        Level 4\n00000050 Al           Level 1\n");
    Game().LoadHighScores();
    ASSERT_EQ(Game().HighScoreLines().size(), 3u);

    f.Tick();  // the title's first tick takes the time it blinks from
    auto expectLine = [this](int rank, const std::string& line) {
        const std::string text = HighScoreStripText(rank, line);
        const std::pair<int, int> shown = StripText();
        EXPECT_GT(shown.first, 100) << "rank " << rank;
        // The text starts at x 5 and is as wide as the whole line.
        EXPECT_LT(shown.second, 5 + Game().TextWidth(text)) << "rank " << rank;
        EXPECT_GT(shown.second, 5 + Game().TextWidth(text) - 12) << "rank " << rank;
    };
    Blink();  // blink 1: line 1
    expectLine(1, Game().HighScoreLines()[0]);
    for (int i = 0; i < 4; ++i)
        Blink();
    expectLine(1, Game().HighScoreLines()[0]);
    Blink();  // blink 6: nothing
    EXPECT_EQ(StripText().first, 0);
    for (int i = 0; i < 5; ++i)
        Blink();  // blink 11: line 2
    expectLine(2, Game().HighScoreLines()[1]);
    for (int i = 0; i < 10; ++i)
        Blink();  // blink 21: line 3
    expectLine(3, Game().HighScoreLines()[2]);
    for (int i = 0; i < 10; ++i)
        Blink();  // blink 31: line 1 again
    expectLine(1, Game().HighScoreLines()[0]);
}

TEST_F(HighScoresTest, LastLifeOpensTheNameFormCentredOverTheGame)
{
    LoseTheGame(4, 350);
    EXPECT_EQ(Game().GetGameState(), GameState::NameEntry);
    FormNamePlayer* form = Game().GetNameForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetText(), "Classifica");
    EXPECT_EQ(form->GetWidth(), 250);
    EXPECT_EQ(form->GetHeight(), 115);
    EXPECT_TRUE(form->IsCreated());
    EXPECT_FALSE(Game().IsEnabled());
    const uint64_t game = Game().GetPosition(), name = form->GetPosition();
    EXPECT_EQ(PointX(name) + 125, PointX(game) + 400);
    EXPECT_EQ(PointY(name) + 57, PointY(game) + 320 - 1) << "115 / 2 rounds down";

    // Keys do not reach the disabled game; confirming the name records the score.
    form->GetNameBox()->SetText("Mario");
    form->ControlClick(form->GetOkButton());
    EXPECT_EQ(PlayerName, "Mario");
    EXPECT_EQ(Game().GetGameState(), GameState::ScoreRecorded);
    EXPECT_TRUE(Game().IsEnabled());
    EXPECT_EQ(f.Read(kTableFile), "00000350 Mario        Level 4\n");

    // Any key returns to the title screen, which reloads the table.
    Game().OnKeyPress('x');
    EXPECT_EQ(Game().GetGameState(), GameState::Title);
    EXPECT_EQ(f.waits, (std::vector<unsigned>{1, 1}));
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/logo.bin"));
    EXPECT_EQ(Game().HighScoreLines(), std::vector<std::string>{"00000350 Mario        Level 4"});

    // A second game opens a fresh form and adds its line in order.
    LoseTheGame(1, 900);
    ASSERT_NE(Game().GetNameForm(), nullptr);
    Game().GetNameForm()->GetNameBox()->SetText("Zoe");
    Game().GetNameForm()->ControlClick(Game().GetNameForm()->GetOkButton());
    EXPECT_EQ(f.Read(kTableFile), "00000900 Zoe          Level 1\n00000350 Mario        Level 4\n");
}

TEST_F(HighScoresTest, ClosingTheNameFormRecordsAnEmptyName)
{
    LoseTheGame(2, 100);
    FormNamePlayer* form = Game().GetNameForm();
    ASSERT_NE(form, nullptr);
    // What the event loop does with the window manager's close request.
    ASSERT_TRUE(form->QueryClose());
    form->Close();
    EXPECT_EQ(Game().GetGameState(), GameState::ScoreRecorded);
    EXPECT_EQ(f.Read(kTableFile), "00000100              Level 2\n");
}

TEST_F(HighScoresTest, EmptyNameIsRefusedAndTheFormStaysOpen)
{
    LoseTheGame(1, 50);
    FormNamePlayer* form = Game().GetNameForm();
    ASSERT_NE(form, nullptr);
    form->ControlClick(form->GetOkButton());
    EXPECT_EQ(Game().GetGameState(), GameState::NameEntry);
    EXPECT_FALSE(Game().IsEnabled());
    EXPECT_EQ(f.Read(kTableFile), "");
}

// After a game the title starts over: the first blink shows the first line
// of the table and turns the prompt white, wherever the last visit stopped;
// the last game's sprites are gone with the pictures they were cut from.
TEST_F(HighScoresTest, TheTitleAfterAGameStartsAfreshWithTheFirstLine)
{
    WriteTable("00000900 Zoe          Level 2\n00000350 Mario        Level 4\n00000050 Al           Level 1\n");
    Game().LoadHighScores();
    f.Tick();
    for (int i = 0; i < 13; ++i)
        Blink();  // the strip shows line 2 by now, and the prompt is white

    LoseTheGame(1, 10);
    FormNamePlayer* form = Game().GetNameForm();
    ASSERT_NE(form, nullptr);
    form->GetNameBox()->SetText("Bo");
    form->ControlClick(form->GetOkButton());
    Game().OnKeyPress('x');
    ASSERT_EQ(Game().GetGameState(), GameState::Title);
    EXPECT_EQ(Game().GetPlayer(), nullptr);
    EXPECT_TRUE(Game().Bees().empty());
    EXPECT_TRUE(Game().Coins().empty());
    EXPECT_TRUE(Game().GroundTiles().empty());
    EXPECT_TRUE(Game().Movements().empty());

    f.Tick();
    Blink();
    const std::string first = std::string("Top Ten: ") + " 1\xB0 Score " + Game().HighScoreLines()[0];
    const std::pair<int, int> shown = StripText();
    EXPECT_GT(shown.first, 100);
    EXPECT_LT(shown.second, 5 + Game().TextWidth(first));
    EXPECT_GT(shown.second, 5 + Game().TextWidth(first) - 12);
    int white = 0, red = 0;
    for (int32_t y = 600; y < 618; ++y)
        for (int32_t x = 480; x < 760; ++x) {
            const uint32_t pixel = GameFixture::Pixel(Game().GetScreenBuffer(), x, y);
            white += pixel == 0xFFFFFF ? 1 : 0;
            red += pixel == 0xFF0000 ? 1 : 0;
        }
    EXPECT_GT(white, 50) << "the prompt's first change is to white";
    EXPECT_EQ(red, 0);
}

TEST(HighScoreStrip, RankPaddedDegreeSignAndTheLineAsStored)
{
    EXPECT_EQ(HighScoreStripText(1, "00000900 Zoe          Level 2"), "Top Ten:  1\xB0 Score 00000900 Zoe          Level 2");
    EXPECT_EQ(HighScoreStripText(10, "x"), "Top Ten: 10\xB0 Score x");
}
