// GlyphSet: the glyphs of the font the game writes with, as bitmaps, so that
// text is drawn into the frame in client memory like every other picture.
// FormGames fills it once from the X core font (each character drawn once
// into a pixmap and read back); drawing needs no X. Every glyph sits in a cell
// of one size whose pen origin is at (originX, ascent).
#pragma once

#include "game/PixelImage.h"

#include <cstdint>
#include <string_view>
#include <vector>

class GlyphSet {
public:
    static constexpr int kCount = 256;  // one glyph per byte value

    // Empties the set for glyphs of this geometry (pixels).
    void Reset(int32_t ascent, int32_t descent, int32_t cellWidth, int32_t originX);
    void SetAdvance(unsigned char character, int32_t advance);
    // Marks the cell pixel (cx, cy) of a glyph as ink.
    void SetInk(unsigned char character, int32_t cx, int32_t cy);

    bool Empty() const { return ink.empty(); }
    int32_t Ascent() const { return ascent; }
    int32_t CellWidth() const { return cellWidth; }
    bool Ink(unsigned char character, int32_t cx, int32_t cy) const;
    // The pen's travel over the text, as the font measures it.
    int32_t TextWidth(std::string_view text) const;
    // Writes the ink of the text in one colour, the pen starting at (x, baseline).
    void Draw(const PixelImage& target, const PixelLayout& layout, int32_t x, int32_t baseline, std::string_view text,
              int32_t colour, const Rect& clip) const;

private:
    int32_t ascent = 0;     // pixels above the baseline
    int32_t descent = 0;    // pixels below it
    int32_t cellWidth = 0;  // pixels
    int32_t originX = 0;    // the pen's place in the cell
    int32_t advances[kCount] = {};
    std::vector<uint8_t> ink;  // kCount cells of cellWidth x (ascent + descent), 1 = ink
};
