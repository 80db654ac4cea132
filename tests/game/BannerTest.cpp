// The banners over the game's frame: "PAUSED" while paused, "PRESS ANY KEY"
// once the score of a finished game is recorded.
#include <gtest/gtest.h>

#include "forms/FormNamePlayer.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/TextBoxCustom.h"
#include "tests/game/GameFixture.h"
#include "tests/game/GameFormSupport.h"

#include <X11/keysym.h>

namespace {

// Pixels of the frame's band around centreY (40 pixels high) of the two banner colours.
std::pair<int, int> BannerPixels(XImage* frame, int32_t centreY)
{
    int fill = 0, ink = 0;
    for (int32_t y = centreY - 20; y < centreY + 20; ++y)
        for (int32_t x = 300; x < 500; ++x) {
            const uint32_t pixel = GameFixture::Pixel(frame, x, y);
            fill += pixel == Banner::kFill ? 1 : 0;
            ink += pixel == Banner::kInk ? 1 : 0;
        }
    return {fill, ink};
}

}  // namespace

TEST(Banner, PShowsPausedOverTheFrozenFrameAndPAgainTakesItAway)
{
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    f.StartGameAt(1);
    f.Tick(60);
    const std::string playing = gametest::Snapshot(f.game->GetScreenBuffer());

    f.game->OnKeyPress('p');
    ASSERT_EQ(f.game->GetGameState(), GameState::Paused);
    const std::pair<int, int> shown = BannerPixels(f.game->GetScreenBuffer(), FormMain::kPausedY);
    EXPECT_GT(shown.first, 2000) << "the box";
    EXPECT_GT(shown.second, 150) << "the word and the frame";
    // Nothing moves while paused.
    const std::string paused = gametest::Snapshot(f.game->GetScreenBuffer());
    f.Tick(100);
    EXPECT_EQ(gametest::Snapshot(f.game->GetScreenBuffer()), paused);

    f.game->OnKeyPress('P');
    EXPECT_EQ(f.game->GetGameState(), GameState::Playing);
    EXPECT_FALSE(f.game->GetBanner().IsShown());
    EXPECT_EQ(gametest::Snapshot(f.game->GetScreenBuffer()), playing) << "the frame as it was before the pause";
}

TEST(Banner, AfterTheNameIsEnteredTheGameOverPictureSaysPressAnyKey)
{
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    f.StartGameAt(1);
    f.game->SetLives(1);
    f.game->PlayerDies();
    FormNamePlayer* form = f.game->GetNameForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(BannerPixels(f.game->GetScreenBuffer(), FormMain::kPressAnyKeyY).first, 0);
    form->GetNameBox()->SetText("Ada");
    form->ControlClick(form->GetOkButton());
    ASSERT_EQ(f.game->GetGameState(), GameState::ScoreRecorded);
    const std::pair<int, int> shown = BannerPixels(f.game->GetScreenBuffer(), FormMain::kPressAnyKeyY);
    EXPECT_GT(shown.first, 2000);
    EXPECT_GT(shown.second, 150);

    f.game->OnKeyPress('q');
    EXPECT_EQ(f.game->GetGameState(), GameState::Title);
    EXPECT_FALSE(f.game->GetBanner().IsShown());
}

TEST(Banner, AnyKeyLeavesPressAnyKeyEvenOneThatTypesNothing)
{
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    f.StartGameAt(1);
    f.game->SetLives(1);
    f.game->PlayerDies();
    FormNamePlayer* form = f.game->GetNameForm();
    ASSERT_NE(form, nullptr);
    form->GetNameBox()->SetText("Ada");
    form->ControlClick(form->GetOkButton());
    ASSERT_EQ(f.game->GetGameState(), GameState::ScoreRecorded);

    f.Press(XK_Left);
    EXPECT_EQ(f.game->GetGameState(), GameState::ScoreRecorded) << "the press alone does not leave";
    f.Release(XK_Left);
    EXPECT_EQ(f.game->GetGameState(), GameState::Title);
    EXPECT_FALSE(f.game->GetBanner().IsShown());
}
