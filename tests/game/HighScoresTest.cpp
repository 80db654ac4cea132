// The high-score side of the game on its form: the name entry after the last
// life, the line it leaves in the table, "PRESS ANY KEY" and the title that
// follows with the table's lines.
// gtest first: the X headers define macros (None, Bool) that clash with it.
#include <gtest/gtest.h>

#include "forms/FormNamePlayer.h"
#include "game/FormMain.h"
#include "game/FramePicture.h"
#include "game/HighScoreStrip.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/TextBoxCustom.h"
#include "support/Packing.h"
#include "tests/common/XTestSupport.h"
#include "tests/game/GameFixture.h"

#include <X11/keysym.h>
#include <sys/stat.h>

namespace {
constexpr const char* kTableFile = "Data/Bruvo Stage Krodel/Score/Classifica.txt";

class HighScoresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BRUVO_SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(f.Ready());
    }

    TestGame& Game() { return *f.game; }

    void WriteTable(const std::string& lines)
    {
        mkdir("Data/Bruvo Stage Krodel", 0777);
        mkdir("Data/Bruvo Stage Krodel/Score", 0777);
        f.dir.Write(kTableFile, lines);
    }
    void EnterName(const std::string& name)
    {
        FormNamePlayer* form = Game().GetNameForm();
        ASSERT_NE(form, nullptr);
        form->GetNameBox()->SetText(name);
        form->ControlClick(form->GetOkButton());
        f.Tick();
    }
    // Pixels of the frame's band around centreY of the banner's two colours.
    std::pair<int, int> BannerPixels(int32_t centreY)
    {
        int fill = 0, ink = 0;
        for (int32_t y = centreY - 20; y < centreY + 20; ++y)
            for (int32_t x = 300; x < 500; ++x) {
                const uint32_t pixel = GameFixture::Pixel(Game().GetScreenBuffer(), x, y);
                fill += pixel == 0x010101 ? 1 : 0;
                ink += pixel == 0xFFFFFF ? 1 : 0;
            }
        return {fill, ink};
    }

    GameFixture f;
};
}  // namespace

TEST_F(HighScoresTest, LastLifeOpensTheNameFormCentredOverTheGameAndTheNameEntersTheTable)
{
    f.LoseTheGame(4, 350);
    EXPECT_EQ(f.W().GetGameState(), GameState::NameEntry);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/gameover.bin"));
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
    EXPECT_EQ(BannerPixels(FrameLayout::kPressAnyKeyY).first, 0);

    // Confirming the name records the score; "PRESS ANY KEY" follows.
    EnterName("Mario");
    EXPECT_EQ(PlayerName, "Mario");
    EXPECT_EQ(f.W().GetGameState(), GameState::ScoreRecorded);
    EXPECT_TRUE(Game().IsEnabled());
    EXPECT_EQ(f.Read(kTableFile), "00000350 Mario        Level 4\n");
    const std::pair<int, int> banner = BannerPixels(FrameLayout::kPressAnyKeyY);
    EXPECT_GT(banner.first, 1000);
    EXPECT_GT(banner.second, 150);

    // Any key returns to the title, which reloads the table.
    Game().OnKeyPress('x');
    f.Tick();
    EXPECT_EQ(f.W().GetGameState(), GameState::Loading);
    EXPECT_EQ(BannerPixels(FrameLayout::kPressAnyKeyY).first, 0) << "the banner goes with the key";
    f.SkipWait();
    EXPECT_EQ(f.W().GetGameState(), GameState::Title);
    EXPECT_TRUE(f.LayerShowsFile(Game().GetSfondo(), "Data/logo.bin"));
    EXPECT_EQ(Game().HighScoreLines(), std::vector<std::string>{"00000350 Mario        Level 4"});

    // A second game opens a fresh form and adds its line in order.
    f.LoseTheGame(1, 900);
    EnterName("Zoe");
    EXPECT_EQ(f.Read(kTableFile), "00000900 Zoe          Level 1\n00000350 Mario        Level 4\n");
}

TEST_F(HighScoresTest, ClosingTheNameFormRecordsAnEmptyNameAndAnEmptyNameIsRefused)
{
    f.LoseTheGame(1, 50);
    FormNamePlayer* form = Game().GetNameForm();
    ASSERT_NE(form, nullptr);
    form->ControlClick(form->GetOkButton());
    f.Tick();
    EXPECT_EQ(f.W().GetGameState(), GameState::NameEntry);
    EXPECT_FALSE(Game().IsEnabled());
    EXPECT_EQ(f.Read(kTableFile), "");

    // What the event loop does with the window manager's close request.
    ASSERT_TRUE(form->QueryClose());
    form->Close();
    f.Tick();
    EXPECT_EQ(f.W().GetGameState(), GameState::ScoreRecorded);
    EXPECT_EQ(f.Read(kTableFile), "00000050              Level 1\n");
}

// A key that types nothing (an arrow) ends "PRESS ANY KEY" when it is let go.
TEST_F(HighScoresTest, AnyKeyLeavesPressAnyKeyEvenOneThatTypesNothing)
{
    f.LoseTheGame(1, 0);
    EnterName("Ada");
    ASSERT_EQ(f.W().GetGameState(), GameState::ScoreRecorded);
    f.Press(XK_Left);
    f.Tick();
    EXPECT_EQ(f.W().GetGameState(), GameState::ScoreRecorded) << "the press alone does not leave";
    f.Release(XK_Left);
    f.Tick();
    EXPECT_EQ(f.W().GetGameState(), GameState::Loading);
}

// The title shows the table's first line at its first blink after a game,
// wherever the last visit stopped.
TEST_F(HighScoresTest, TheTitleAfterAGameStartsAfreshWithTheFirstLine)
{
    WriteTable("00000900 Zoe          Level 2\n00000350 Mario        Level 4\n00000050 Al           Level 1\n");
    Game().LoadHighScores();
    f.Tick(1300);  // the strip shows line 2 by now
    f.LoseTheGame(1, 10);
    EnterName("Bo");
    Game().OnKeyPress('x');
    f.Tick();
    f.SkipWait();
    ASSERT_EQ(f.W().GetGameState(), GameState::Title);
    ASSERT_EQ(Game().HighScoreLines().size(), 4u);
    f.Tick(50);  // the first blink
    const std::string first = HighScoreStripText(1, Game().HighScoreLines()[0]);
    int white = 0, right = -1;
    for (int32_t y = 0; y < Game().FontAscent() + 15; ++y)
        for (int32_t x = 0; x < 800; ++x)
            if (GameFixture::Pixel(Game().GetScreenBuffer(), x, y) == 0xFFFFFF) {
                ++white;
                right = std::max(right, x);
            }
    EXPECT_GT(white, 100);
    EXPECT_LT(right, 5 + Game().TextWidth(first));
    EXPECT_GT(right, 5 + Game().TextWidth(first) - 12);
}

TEST(HighScoreStrip, RankPaddedDegreeSignAndTheLineAsStored)
{
    EXPECT_EQ(HighScoreStripText(1, "00000900 Zoe          Level 2"), "Top Ten:  1\xB0 Score 00000900 Zoe          Level 2");
    EXPECT_EQ(HighScoreStripText(10, "x"), "Top Ten: 10\xB0 Score x");
}
