// What the frame shows for states of the world, composed headless with the
// block font and a strip of one colour per sprite kind.
#include "tests/frame/FrameTestSupport.h"

#include "game/FramePicture.h"
#include "game/HighScoreStrip.h"
#include "game/world/World.h"

#include <gtest/gtest.h>

using namespace frametest;

namespace {
constexpr int32_t kW = 800, kH = 640;
constexpr uint32_t kBackdrop = 0x203040;
constexpr uint32_t kNearBlack = 0x010101;

// Kind k's strip: every pixel 0x10 * (k + 1) in red, the frame number in green.
uint32_t KindColour(int kind, int32_t frame) { return (0x10u * (kind + 1)) << 16 | uint32_t(frame) << 8 | 0x01; }

class FramePicture : public ::testing::Test {
protected:
    FramePicture() : backdrop(kW, kH, [](int32_t, int32_t) { return kBackdrop; }), scene(kW, kH), frame(kW, kH)
    {
        font = BlockFont();
        composer.SetLayout(Layout());
        composer.SetLayers(backdrop.view, scene.view, frame.view);
        composer.SetGlyphs(&font);
        for (int kind = 0; kind < SpriteKinds::kCount; ++kind) {
            const DataFiles::Picture& file = *SpriteKinds::kStrips[kind];
            strips.emplace_back(file.width, file.height, [kind, &file](int32_t, int32_t y) {
                return KindColour(kind, y / file.frameHeight);
            });
        }
        for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
            composer.SetPicture(kind, strips[kind].view);
    }
    void Compose()
    {
        FrameTexts texts;
        texts.makerLine = "by us";
        texts.highScoreLines = &lines;
        ListFrameItems(world, texts, composer);
        composer.Compose();
    }
    void Step(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            world.Step(input);
            input = StepInput{};
        }
        Compose();
    }
    // Pixels of a rectangle of the frame that hold a colour.
    int Count(const Rect& r, uint32_t colour) const
    {
        int count = 0;
        for (int32_t y = r.y; y < r.Bottom(); ++y)
            for (int32_t x = r.x; x < r.Right(); ++x)
                count += frame.At(x, y) == colour ? 1 : 0;
        return count;
    }

    Picture backdrop, scene, frame;
    std::vector<Picture> strips;
    GlyphSet font;
    FrameComposer composer;
    World world;
    StepInput input;
    std::vector<std::string> lines;
};

TEST_F(FramePicture, TheTitleShowsTheMakerLineThePromptAndTheStrip)
{
    world.RunApp();
    Compose();
    // "L O A D I N G . . ." at (10, 60): a text box of 18 pixels whose ink
    // sits on the baseline 15 pixels down (rows 65 to 74 in the block font).
    EXPECT_EQ(Count(Rect{10, 65, 5, 10}, 0xFFFFFF), 50);
    Step(100);
    ASSERT_EQ(world.GetGameState(), GameState::Title);
    EXPECT_EQ(Count(Rect{10, 65, 5, 10}, 0xFFFFFF), 0) << "the loading text goes with the loading";
    EXPECT_EQ(Count(Rect{210, 140, 5, 10}, 0xFF0000), 50) << "the maker line's first glyph";
    EXPECT_EQ(Count(Rect{480, 600, 280, 18}, 0xFFFFFF), 0) << "no prompt before its first blink";
    EXPECT_EQ(Count(Rect{0, 0, kW, 20}, kBackdrop), kW * 20) << "the strip shows the picture";

    // The first blink: the prompt in white, and the strip cleared with the
    // first line written at (5, 7).
    lines = {"00000900 Zoe          Level 2"};
    world.SetHighScoreCount(1);
    Step(50);
    EXPECT_EQ(Count(Rect{480, 605, 5, 10}, 0xFFFFFF), 50);
    const int32_t strip = font.Ascent() + 15;
    EXPECT_EQ(Count(Rect{0, 0, kW, strip}, kNearBlack) + Count(Rect{0, 0, kW, strip}, 0xFFFFFF), kW * strip);
    EXPECT_EQ(Count(Rect{5, 12, 5, 10}, 0xFFFFFF), 50) << "the T of Top Ten";
    char text[FrameItem::kMaxText];
    HighScoreStripText(text, sizeof text, 1, lines[0]);
    const int32_t width = font.TextWidth(text);
    EXPECT_EQ(Count(Rect{5 + width - 7, 12, 5, 10}, 0xFFFFFF), 50) << "its last glyph";
    EXPECT_EQ(Count(Rect{5 + width, 0, kW - 5 - width, strip}, 0xFFFFFF), 0);
    EXPECT_EQ(Count(Rect{0, strip, kW, 1}, kBackdrop), kW) << "below the strip the picture";
    Step(100);
    EXPECT_EQ(Count(Rect{480, 605, 5, 10}, 0xFF0000), 50) << "a second later the prompt is red";
}

TEST_F(FramePicture, ALevelShowsItsSpritesAtTheirDrawnFramesUnderTheStatusLine)
{
    world.StartGame(1);
    Compose();
    const SpritePlayer* player = world.Field().GetPlayer();
    ASSERT_TRUE(player->IsVisible());
    const uint32_t playerColour = KindColour(SpriteKinds::Player, player->GetDrawnFrame());
    EXPECT_EQ(Count(Rect{player->GetLastX(), player->GetLastY(), 48, 64}, playerColour), 48 * 64);
    const SpriteTilesTerreno* ground = world.Field().GroundTiles()[0];
    EXPECT_EQ(frame.At(ground->GetLastX() + 32, ground->GetLastY() + 32), KindColour(SpriteKinds::Tiles, 0));
    EXPECT_EQ(scene.At(player->GetLastX() + 10, player->GetLastY() + 10), kBackdrop) << "the player moves over the scene";
    // A sprite given a place and a frame is shown as it was until it is drawn.
    SpritePlayer* moved = world.Field().GetPlayer();
    const int32_t shownX = moved->GetLastX(), shownY = moved->GetLastY();
    moved->SetFrame(0);
    moved->SetPosition(shownX + 100, shownY);
    Compose();
    EXPECT_EQ(Count(Rect{shownX, shownY, 48, 64}, playerColour), 48 * 64);
    moved->Draw();
    Compose();
    EXPECT_EQ(Count(Rect{shownX + 100, shownY, 48, 64}, KindColour(SpriteKinds::Player, 0)), 48 * 64);
    EXPECT_EQ(Count(Rect{shownX, shownY, 48, 64}, playerColour), 0);

    // The status line: the fill across the top, the score from x 5, the lives
    // ending 10 pixels before the right edge, the level centred, all on the
    // baseline ascent + 10.
    const int32_t strip = font.Ascent() + 15;
    EXPECT_EQ(Count(Rect{0, 0, kW, strip}, kNearBlack) + Count(Rect{0, 0, kW, strip}, 0xFFFFFF), kW * strip);
    const int32_t inkTop = 10;  // baseline ascent + 10, glyphs 10 tall
    EXPECT_EQ(Count(Rect{5, inkTop, 5, 10}, 0xFFFFFF), 50) << "Score: 000000";
    EXPECT_EQ(Count(Rect{5, inkTop, font.TextWidth("Score: 000000"), 10}, 0xFFFFFF), 12 * 50);
    const int32_t livesWidth = font.TextWidth("Lives: 3");
    EXPECT_EQ(Count(Rect{kW - 10 - livesWidth, inkTop, livesWidth, 10}, 0xFFFFFF), 7 * 50);
    const int32_t levelWidth = font.TextWidth("Level: 1");
    EXPECT_EQ(Count(Rect{(kW - levelWidth) / 2, inkTop, levelWidth, 10}, 0xFFFFFF), 7 * 50);

    // A message picture covers the level: no sprite, no status line.
    world.PlayerDies();
    Compose();
    EXPECT_EQ(Count(Rect{0, 0, kW, kH}, kBackdrop), kW * kH);
}

TEST_F(FramePicture, TheBannersAreCentredBoxesWithAWhiteBorder)
{
    world.StartGame(1);
    input.Add(StepInput::Event::Typed, 'p');
    Step();
    ASSERT_EQ(world.GetBanner(), Banner::Paused);
    // "PAUSED": 6 glyphs of 7 pixels and 20 each side, 10 + 2 x 10 tall, centred on y 320.
    const Rect box{(kW - 82) / 2, 320 - 15, 82, 30};
    EXPECT_EQ(Count(box, 0xFFFFFF), 2 * 82 + 2 * 28 + 6 * 50);
    EXPECT_EQ(Count(Rect{box.x + 1, box.y + 1, 80, 28}, kNearBlack), 80 * 28 - 6 * 50);
    input.Add(StepInput::Event::Typed, 'p');
    Step();
    EXPECT_EQ(Count(box, 0xFFFFFF), 0) << "the banner goes whole";
}

}  // namespace
