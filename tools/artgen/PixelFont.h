// The built-in 5 x 7 pixel font of the art: captions, the title and the
// labels of the contact sheet are drawn with it, so no font file is needed.
// Lower-case letters are drawn as capitals; a character without a glyph is
// drawn as "?".
#pragma once

#include "tools/artgen/Canvas.h"

#include <string>

namespace artgen {

constexpr int kGlyphWidth = 5;   // pixels
constexpr int kGlyphHeight = 7;  // pixels
constexpr int kGlyphAdvance = 6; // pixels from one character to the next

bool HasGlyph(char c);
// Whether the glyph pixel (col, row) of c is set; false outside the cell.
bool GlyphPixel(char c, int col, int row);

// Width in pixels of text drawn with every font pixel a scale x scale block.
int TextWidth(const std::string& text, int scale);
void DrawText(Canvas& canvas, int x, int y, const std::string& text, int scale, Rgb colour);

}  // namespace artgen
