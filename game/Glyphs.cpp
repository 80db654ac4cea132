#include "game/Glyphs.h"

void GlyphSet::Reset(int32_t newAscent, int32_t newDescent, int32_t newCellWidth, int32_t newOriginX)
{
    ascent = std::max(0, newAscent);
    descent = std::max(0, newDescent);
    cellWidth = std::max(0, newCellWidth);
    originX = newOriginX;
    for (int32_t& advance : advances)
        advance = 0;
    ink.assign(static_cast<size_t>(kCount) * static_cast<size_t>(cellWidth) * static_cast<size_t>(ascent + descent), 0);
}

void GlyphSet::SetAdvance(unsigned char character, int32_t advance) { advances[character] = advance; }

void GlyphSet::SetInk(unsigned char character, int32_t cx, int32_t cy)
{
    if (cx < 0 || cy < 0 || cx >= cellWidth || cy >= ascent + descent)
        return;
    ink[(static_cast<size_t>(character) * (ascent + descent) + cy) * cellWidth + cx] = 1;
}

bool GlyphSet::Ink(unsigned char character, int32_t cx, int32_t cy) const
{
    if (cx < 0 || cy < 0 || cx >= cellWidth || cy >= ascent + descent || ink.empty())
        return false;
    return ink[(static_cast<size_t>(character) * (ascent + descent) + cy) * cellWidth + cx] != 0;
}

int32_t GlyphSet::TextWidth(std::string_view text) const
{
    int32_t width = 0;
    for (const char c : text)
        width += advances[static_cast<unsigned char>(c)];
    return width;
}

void GlyphSet::Draw(const PixelImage& target, const PixelLayout& layout, int32_t x, int32_t baseline,
                    std::string_view text, int32_t colour, const Rect& clip) const
{
    const Rect area = Intersect(clip, target.Area());
    if (ink.empty() || area.Empty())
        return;
    const int32_t top = baseline - ascent;
    int32_t pen = x;
    for (const char c : text) {
        const unsigned char character = static_cast<unsigned char>(c);
        const int32_t left = pen - originX;
        if (!Intersect(Rect{left, top, cellWidth, ascent + descent}, area).Empty()) {
            for (int32_t cy = 0; cy < ascent + descent; ++cy) {
                for (int32_t cx = 0; cx < cellWidth; ++cx) {
                    const int32_t px = left + cx, py = top + cy;
                    if (px < area.x || py < area.y || px >= area.Right() || py >= area.Bottom() ||
                        !Ink(character, cx, cy))
                        continue;
                    uint8_t* pixel = target.PixelAt(layout, px, py);
                    pixel[layout.ixRosso] = static_cast<uint8_t>(colour >> 16);
                    pixel[layout.ixVerde] = static_cast<uint8_t>(colour >> 8);
                    pixel[layout.ixBlu] = static_cast<uint8_t>(colour);
                }
            }
        }
        pen += advances[character];
    }
}
