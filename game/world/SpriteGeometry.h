// The two geometric tests of the sprite model, on plain boxes: Overlaps for
// collisions, StandsOn for support. Needs no X; Sprite::Overlaps and
// Sprite::StandsOn apply them to sprites.
#pragma once

#include <cstdint>

struct SpriteBox {
    int32_t x;       // pixels, top-left corner
    int32_t y;
    int32_t width;   // pixels
    int32_t height;
};

// Each box shrunk by its margin on every side, as half-open ranges
// [x + m, x + width - m); true when they intersect. Touching boxes do not.
constexpr bool Overlaps(const SpriteBox& a, const SpriteBox& b, int32_t marginA, int32_t marginB)
{
    const int32_t aLeft = a.x + marginA, aRight = a.x + a.width - marginA;
    const int32_t aTop = a.y + marginA, aBottom = a.y + a.height - marginA;
    const int32_t bLeft = b.x + marginB, bRight = b.x + b.width - marginB;
    const int32_t bTop = b.y + marginB, bBottom = b.y + b.height - marginB;
    const bool horizontal = aLeft < bRight && bLeft < aRight;
    const bool vertical = (bTop >= aTop && bTop < aBottom) || (aTop >= bTop && aTop < bBottom);
    return horizontal && vertical;
}

// A stands on B when A's bottom edge lies within B's height (both ends
// included) and A's middle half meets B horizontally (ends included).
constexpr bool StandsOn(const SpriteBox& a, const SpriteBox& b)
{
    const int32_t feet = a.y + a.height;
    if (feet < b.y || feet > b.y + b.height)
        return false;
    const int32_t left = a.x + a.width / 4;
    const int32_t right = left + a.width / 2;
    const int32_t bLeft = b.x, bRight = b.x + b.width;
    if (a.width / 2 <= b.width)
        return (left >= bLeft && left <= bRight) || (right >= bLeft && right <= bRight);
    return (bLeft >= left && bLeft <= right) || (bRight >= left && bRight <= right);
}

static_assert(!Overlaps({0, 0, 40, 30}, {40, 0, 40, 30}, 0, 0), "boxes sharing an edge do not overlap");
static_assert(Overlaps({0, 0, 40, 30}, {29, 0, 40, 30}, 5, 5) && !Overlaps({0, 0, 40, 30}, {30, 0, 40, 30}, 5, 5),
              "40-pixel boxes with margins 5 overlap only closer than 30 pixels");
