// What the game's frame shows for a state of the world, as the items of a
// FrameComposer, bottom first: the scenery (the title's texts, the top strip,
// tiles, coins), what moves (fires, bees, saucers, the player), then the
// overlays (the status line, the banner, the loading text). The picture
// indices of sprite items are the sprite kinds (SpriteKinds::Kind). Needs no
// X: the form composes this list into its frame every step.
#pragma once

#include "game/FrameComposer.h"
#include "game/world/World.h"

#include <string>
#include <vector>

// The texts of the frame that the world does not hold.
struct FrameTexts {
    const char* makerLine = "";                          // on the title screen
    const std::vector<std::string>* highScoreLines = nullptr;  // the title's strip shows them in turn
    const char* keysLine = "";                           // on the title screen: how the keys work
};

// Where the game writes its texts, in pixels of the frame.
namespace FrameLayout {
constexpr int32_t kLoadingX = 10, kLoadingY = 60;
constexpr int32_t kMakerLineX = 210, kMakerLineY = 135;
constexpr int32_t kPromptX = 480, kPromptY = 600;
constexpr int32_t kKeysX = 480, kKeysY = 620;
constexpr int32_t kHighScoreX = 5, kHighScoreY = 7;
constexpr int32_t kShortTextHeight = 18;   // the box of a text written at a point
constexpr int32_t kSmallFontLine = 15;     // the line of fonts up to this ascent; taller ones take ascent + 1
constexpr int32_t kStatusMarginLeft = 5;   // before the score
constexpr int32_t kStatusMarginRight = 10; // after the lives
constexpr int32_t kStatusExtraHeight = 15; // the status line and the top strip: the font's ascent and this
constexpr int32_t kStatusBaselineGap = 10; // from the ascent to the status line's baseline
constexpr int32_t kBannerPaddingX = 20;    // around the banner's text
constexpr int32_t kBannerPaddingY = 10;
constexpr int32_t kPausedY = SpriteKinds::kAreaHeight / 2;  // the centre of "PAUSED"
constexpr int32_t kPressAnyKeyY = 560;     // the centre of "PRESS ANY KEY"
}  // namespace FrameLayout

constexpr const char* kLoadingText = "L O A D I N G . . .";
constexpr const char* kPromptText = "PRESS THE [G] KEY TO PLAY";

// Replaces the composer's items by those of the world's state.
void ListFrameItems(const World& world, const FrameTexts& texts, FrameComposer& composer);

// The text of a banner; "" for none.
const char* BannerText(Banner banner);
