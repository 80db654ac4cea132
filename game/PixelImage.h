// PixelImage: a view of a picture's pixels in the display's layout (a frame
// buffer, a loaded backdrop, a sprite strip), and Rect, the rectangles the
// frame is composed and sent in. The painting functions work on plain memory
// and need no X: the game form hands them the pixels of its XImages.
#pragma once

#include "gui/images/PixelLayout.h"

#include <algorithm>
#include <cstdint>

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    constexpr bool Empty() const { return width <= 0 || height <= 0; }
    constexpr int32_t Right() const { return x + width; }
    constexpr int32_t Bottom() const { return y + height; }
    constexpr int64_t Area() const { return Empty() ? 0 : int64_t(width) * height; }
    constexpr bool operator==(const Rect& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    constexpr bool operator!=(const Rect& o) const { return !(*this == o); }
};

// The part both rectangles cover; empty when they do not meet.
constexpr Rect Intersect(const Rect& a, const Rect& b)
{
    const int32_t left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int32_t right = std::min(a.Right(), b.Right()), bottom = std::min(a.Bottom(), b.Bottom());
    return right > left && bottom > top ? Rect{left, top, right - left, bottom - top} : Rect{};
}

// The smallest rectangle covering both (an empty one covers nothing).
constexpr Rect Bounds(const Rect& a, const Rect& b)
{
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    const int32_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return Rect{left, top, std::max(a.Right(), b.Right()) - left, std::max(a.Bottom(), b.Bottom()) - top};
}

static_assert(Intersect({0, 0, 10, 10}, {10, 0, 5, 5}).Empty(), "rectangles sharing an edge do not meet");
static_assert(Bounds({0, 0, 2, 2}, {4, 4, 2, 2}) == Rect{0, 0, 6, 6}, "bounds");

struct PixelImage {
    int32_t width = 0;          // pixels
    int32_t height = 0;
    int32_t bytesPerLine = 0;
    uint8_t* data = nullptr;

    bool Valid() const { return data != nullptr && width > 0 && height > 0; }
    Rect Area() const { return Rect{0, 0, width, height}; }
    uint8_t* PixelAt(const PixelLayout& layout, int32_t px, int32_t py) const
    {
        return data + static_cast<size_t>(py) * static_cast<size_t>(bytesPerLine) +
               static_cast<size_t>(px) * static_cast<size_t>(layout.bytesPerPixel);
    }
};

// The painting the frame is composed with. Every function writes only inside
// `clip` and the target; pictures are in the target's layout.
namespace Paint {

// The rectangle of `from` into the same place of `to` (pictures of one size).
void Copy(const PixelImage& from, const PixelImage& to, const PixelLayout& layout, const Rect& rect);

// The part (sourceX, sourceY, width, height) of a picture, its corner at (x,
// y) of the target. Transparent: black pixels of the picture leave the target
// as it was.
void Picture(const PixelImage& picture, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
             const PixelImage& target, int32_t x, int32_t y, bool transparent, const PixelLayout& layout,
             const Rect& clip);

// A rectangle of one colour (0xRRGGBB).
void Fill(const PixelImage& target, const Rect& rect, int32_t colour, const PixelLayout& layout, const Rect& clip);

// The one-pixel border of a rectangle.
void Border(const PixelImage& target, const Rect& rect, int32_t colour, const PixelLayout& layout,
            const Rect& clip);

// 0xRRGGBB of a pixel; 0 outside the picture.
uint32_t ColourAt(const PixelImage& image, const PixelLayout& layout, int32_t x, int32_t y);

}  // namespace Paint
