#include "game/PixelImage.h"

#include <cstring>

namespace Paint {

namespace {
void Put(uint8_t* pixel, const PixelLayout& layout, int32_t colour)
{
    pixel[layout.ixRosso] = static_cast<uint8_t>(colour >> 16);
    pixel[layout.ixVerde] = static_cast<uint8_t>(colour >> 8);
    pixel[layout.ixBlu] = static_cast<uint8_t>(colour);
}
}  // namespace

void Copy(const PixelImage& from, const PixelImage& to, const PixelLayout& layout, const Rect& rect)
{
    const Rect r = Intersect(Intersect(rect, from.Area()), to.Area());
    if (r.Empty() || from.bytesPerLine != to.bytesPerLine)
        return;
    const size_t count = static_cast<size_t>(r.width) * static_cast<size_t>(layout.bytesPerPixel);
    for (int32_t row = r.y; row < r.Bottom(); ++row)
        std::memcpy(to.PixelAt(layout, r.x, row), from.PixelAt(layout, r.x, row), count);
}

void Picture(const PixelImage& picture, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
             const PixelImage& target, int32_t x, int32_t y, bool transparent, const PixelLayout& layout,
             const Rect& clip)
{
    // The source part is first cut to the picture, then the place to the target and the clip.
    const Rect source = Intersect(Rect{sourceX, sourceY, width, height}, picture.Area());
    if (source.Empty() || !target.Valid())
        return;
    const int32_t placedX = x + (source.x - sourceX), placedY = y + (source.y - sourceY);
    const Rect placed = Intersect(Intersect(Rect{placedX, placedY, source.width, source.height}, target.Area()), clip);
    if (placed.Empty())
        return;
    const int32_t fromX = source.x + (placed.x - placedX), fromY = source.y + (placed.y - placedY);
    const int32_t red = layout.ixRosso, green = layout.ixVerde, blue = layout.ixBlu, step = layout.bytesPerPixel;
    for (int32_t row = 0; row < placed.height; ++row) {
        const uint8_t* from = picture.PixelAt(layout, fromX, fromY + row);
        uint8_t* to = target.PixelAt(layout, placed.x, placed.y + row);
        for (int32_t column = 0; column < placed.width; ++column, from += step, to += step) {
            if (transparent && from[red] == 0 && from[green] == 0 && from[blue] == 0)
                continue;
            to[red] = from[red];
            to[green] = from[green];
            to[blue] = from[blue];
        }
    }
}

void Fill(const PixelImage& target, const Rect& rect, int32_t colour, const PixelLayout& layout, const Rect& clip)
{
    const Rect r = Intersect(Intersect(rect, target.Area()), clip);
    for (int32_t row = r.y; row < r.Bottom(); ++row) {
        uint8_t* pixel = target.PixelAt(layout, r.x, row);
        for (int32_t column = 0; column < r.width; ++column, pixel += layout.bytesPerPixel)
            Put(pixel, layout, colour);
    }
}

void Border(const PixelImage& target, const Rect& rect, int32_t colour, const PixelLayout& layout, const Rect& clip)
{
    if (rect.Empty())
        return;
    Fill(target, Rect{rect.x, rect.y, rect.width, 1}, colour, layout, clip);
    Fill(target, Rect{rect.x, rect.Bottom() - 1, rect.width, 1}, colour, layout, clip);
    Fill(target, Rect{rect.x, rect.y, 1, rect.height}, colour, layout, clip);
    Fill(target, Rect{rect.Right() - 1, rect.y, 1, rect.height}, colour, layout, clip);
}

uint32_t ColourAt(const PixelImage& image, const PixelLayout& layout, int32_t x, int32_t y)
{
    if (!image.Valid() || x < 0 || y < 0 || x >= image.width || y >= image.height)
        return 0;
    const uint8_t* pixel = image.PixelAt(layout, x, y);
    return (uint32_t(pixel[layout.ixRosso]) << 16) | (uint32_t(pixel[layout.ixVerde]) << 8) | pixel[layout.ixBlu];
}

}  // namespace Paint
