// The title screen in the world: the loading wait, the prompt's blinking,
// the high-score strip's turns, the only key that starts a game.
#include "tests/world/WorldDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Title, ComesAfterASecondOfLoadingAndOnlyGStartsAGame)
{
    WorldDriver d;
    d.world.RunApp();
    EXPECT_EQ(d.world.GetGameState(), GameState::Loading);
    EXPECT_TRUE(d.world.ShowsLoading());
    d.Step(99);
    EXPECT_EQ(d.world.GetGameState(), GameState::Loading);
    d.Step();
    EXPECT_EQ(d.world.GetGameState(), GameState::Title);
    EXPECT_EQ(d.world.GetBackdrop(), Backdrop::Title);
    EXPECT_TRUE(d.world.ShowsMakerLine());
    ASSERT_EQ(d.world.Cues().size(), 1u);
    EXPECT_EQ(d.world.Cues()[0].kind, Cue::Kind::TitleShown);

    for (char key : {'p', 'n', 'x', ' '}) {
        d.Type(key);
        d.Step();
        EXPECT_EQ(d.world.GetGameState(), GameState::Title) << key;
    }
    d.Type('g');
    d.Step();
    EXPECT_EQ(d.world.GetGameState(), GameState::Playing);
    EXPECT_EQ(d.world.GetLevel(), 1);
    EXPECT_EQ(d.world.GetLives(), 3);
    EXPECT_EQ(d.world.GetScore(), 0);
    d.Type('G');
    d.Step();
    EXPECT_EQ(d.world.GetLevel(), 1) << "G does nothing in play";
}

// The colour of the prompt at every step of the first few seconds, and when it changed.
TEST(Title, ThePromptAppearsWhiteAfterHalfASecondAndChangesColourEverySecond)
{
    WorldDriver d;
    d.ToTitle();
    std::vector<int> changes;
    int32_t colour = d.world.PromptColour();
    EXPECT_EQ(colour, 0) << "no prompt before its first blink";
    for (int step = 1; step <= 350; ++step) {
        d.Step();
        if (d.world.PromptColour() != colour) {
            colour = d.world.PromptColour();
            changes.push_back(step);
            EXPECT_EQ(colour, changes.size() % 2 == 1 ? 0xFFFFFF : 0xFF0000) << "change " << changes.size();
        }
    }
    EXPECT_EQ(changes, (std::vector<int>{50, 150, 250, 350}));
}

TEST(Title, TheStripShowsEachLineForFiveBlinksThenNothingForFive)
{
    WorldDriver d;
    d.ToTitle();
    // Without lines the strip keeps the title picture.
    d.Step(1200);
    EXPECT_EQ(d.world.GetTitleStrip().shows, TitleStrip::Shows::Picture);

    d.ToTitle();
    d.world.SetHighScoreCount(3);
    std::vector<std::string> seen;  // one entry per five blinks
    for (int blink = 0; blink < 35; ++blink) {
        d.Step(100);
        if (blink % 5 == 0) {
            const TitleStrip& strip = d.world.GetTitleStrip();
            seen.push_back(strip.shows == TitleStrip::Shows::Line ? std::to_string(strip.line + 1)
                           : strip.shows == TitleStrip::Shows::Cleared ? "-"
                                                                       : "picture");
        }
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "-", "2", "-", "3", "-", "1"}));
}

}  // namespace
