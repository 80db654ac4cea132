#include "game/FramePicture.h"

#include "game/HighScoreStrip.h"
#include "game/world/Colours.h"

#include <algorithm>
#include <cstdio>

namespace {
using Layer = FrameItem::Layer;
constexpr int32_t kWidth = SpriteKinds::kAreaWidth;    // pixels
constexpr int32_t kHeight = SpriteKinds::kAreaHeight;  // pixels
constexpr int kScoreDigits = 6;

// The baseline of a line of text in a box of `height` pixels from `top`, as
// the toolkit places text in a box: the line centred in it.
int32_t BaselineInBox(const GlyphSet& glyphs, int32_t top, int32_t height)
{
    const int32_t ascent = glyphs.Ascent();
    const int32_t line = ascent <= FrameLayout::kSmallFontLine ? FrameLayout::kSmallFontLine : ascent + 1;
    return top + line + (height - line) / 2 - 1;
}

// A text written at a point, as the game writes its texts: in a box of the
// text's width and 18 pixels.
void AddShortText(FrameComposer& composer, Layer layer, int32_t x, int32_t y, const char* text, int32_t colour)
{
    const GlyphSet* glyphs = composer.Glyphs();
    if (glyphs == nullptr)
        return;
    const int32_t height = FrameLayout::kShortTextHeight;
    composer.AddText(layer, Rect{x, y, glyphs->TextWidth(text), height}, x, BaselineInBox(*glyphs, y, height), text,
                     colour);
}

// The top strip: the title's high-score line, and the level's strip under the status line.
int32_t StripHeight(const GlyphSet* glyphs)
{
    return (glyphs != nullptr ? glyphs->Ascent() : 0) + FrameLayout::kStatusExtraHeight;
}

void AddTitle(const World& world, const FrameTexts& texts, FrameComposer& composer)
{
    AddShortText(composer, Layer::Scene, FrameLayout::kMakerLineX, FrameLayout::kMakerLineY, texts.makerLine,
                 Colours::kRed);
    const TitleStrip& strip = world.GetTitleStrip();
    if (strip.shows != TitleStrip::Shows::Picture)
        composer.AddFill(Layer::Scene, Rect{0, 0, kWidth, StripHeight(composer.Glyphs())}, Colours::kNearBlack);
    const std::vector<std::string>* lines = texts.highScoreLines;
    if (strip.shows == TitleStrip::Shows::Line && lines != nullptr && strip.line >= 0 &&
        strip.line < static_cast<int32_t>(lines->size())) {
        char text[FrameItem::kMaxText];
        HighScoreStripText(text, sizeof text, strip.line + 1, (*lines)[strip.line]);
        AddShortText(composer, Layer::Scene, FrameLayout::kHighScoreX, FrameLayout::kHighScoreY, text,
                     Colours::kWhite);
    }
    if (world.PromptColour() != 0)
        AddShortText(composer, Layer::Scene, FrameLayout::kPromptX, FrameLayout::kPromptY, kPromptText,
                     world.PromptColour());
    if (texts.keysLine != nullptr && texts.keysLine[0] != '\0')
        AddShortText(composer, Layer::Scene, FrameLayout::kKeysX, FrameLayout::kKeysY, texts.keysLine,
                     Colours::kWhite);
}

void AddSprite(const Sprite& sprite, FrameComposer& composer)
{
    if (!sprite.IsVisible())
        return;
    const Layer layer = sprite.IsInScene() ? Layer::Scene : Layer::Moving;
    composer.AddPicture(layer, sprite.GetPicture(), 0, sprite.GetDrawnFrame() * sprite.GetHeight(),
                        Rect{sprite.GetLastX(), sprite.GetLastY(), sprite.GetWidth(), sprite.GetHeight()},
                        sprite.IsTransparent());
}

// Score, lives and level on a near-black strip across the top.
void AddStatusLine(const World& world, FrameComposer& composer)
{
    const GlyphSet* glyphs = composer.Glyphs();
    if (glyphs == nullptr)
        return;
    const Rect strip{0, 0, kWidth, StripHeight(glyphs)};
    const int32_t baseline = glyphs->Ascent() + FrameLayout::kStatusBaselineGap;
    composer.AddFill(Layer::Overlay, strip, Colours::kNearBlack);
    char text[32];
    std::snprintf(text, sizeof text, "Score: %0*d", kScoreDigits, world.GetScore());
    composer.AddText(Layer::Overlay, strip, FrameLayout::kStatusMarginLeft, baseline, text, Colours::kWhite);
    std::snprintf(text, sizeof text, "Lives: %d", world.GetLives());
    composer.AddText(Layer::Overlay, strip, kWidth - glyphs->TextWidth(text) - FrameLayout::kStatusMarginRight,
                     baseline, text, Colours::kWhite);
    std::snprintf(text, sizeof text, "Level: %d", world.GetLevel());
    composer.AddText(Layer::Overlay, strip, (kWidth - glyphs->TextWidth(text)) / 2, baseline, text, Colours::kWhite);
}

// A line of text in a near-black box with a white border, centred across the
// frame, the box centred on centreY.
void AddBanner(const char* text, int32_t centreY, FrameComposer& composer)
{
    const GlyphSet* glyphs = composer.Glyphs();
    if (glyphs == nullptr)
        return;
    const int32_t width = std::min(glyphs->TextWidth(text) + 2 * FrameLayout::kBannerPaddingX, kWidth);
    const int32_t height = std::min(glyphs->Ascent() + 2 * FrameLayout::kBannerPaddingY, kHeight);
    const Rect box{(kWidth - width) / 2, std::clamp(centreY - height / 2, 0, kHeight - height), width, height};
    composer.AddFill(Layer::Overlay, box, Colours::kNearBlack);
    composer.AddBorder(Layer::Overlay, box, Colours::kWhite);
    const int32_t textX = box.x + (width - glyphs->TextWidth(text)) / 2;
    composer.AddText(Layer::Overlay, box, textX, BaselineInBox(*glyphs, box.y, height), text, Colours::kWhite);
}
}  // namespace

const char* BannerText(Banner banner)
{
    switch (banner) {
    case Banner::Paused: return "PAUSED";
    case Banner::PressAnyKey: return "PRESS ANY KEY";
    case Banner::Hidden: break;
    }
    return "";
}

void ListFrameItems(const World& world, const FrameTexts& texts, FrameComposer& composer)
{
    composer.BeginItems();
    if (world.ShowsMakerLine())
        AddTitle(world, texts, composer);
    if (world.ClearsTopStrip())
        composer.AddFill(Layer::Scene, Rect{0, 0, kWidth, StripHeight(composer.Glyphs())}, Colours::kNearBlack);
    // Sprites belong to a level's backdrop: the message pictures cover them.
    if (world.GetBackdrop() == Backdrop::Level)
        world.Field().ForEachSprite([&composer](const Sprite& sprite) { AddSprite(sprite, composer); });
    if (world.ShowsStatusLine())
        AddStatusLine(world, composer);
    switch (world.GetBanner()) {
    case Banner::Paused:
        AddBanner(BannerText(Banner::Paused), FrameLayout::kPausedY, composer);
        break;
    case Banner::PressAnyKey:
        AddBanner(BannerText(Banner::PressAnyKey), FrameLayout::kPressAnyKeyY, composer);
        break;
    case Banner::Hidden:
        break;
    }
    if (world.ShowsLoading())
        AddShortText(composer, Layer::Overlay, FrameLayout::kLoadingX, FrameLayout::kLoadingY, kLoadingText,
                     Colours::kWhite);
}
