#include "gui/Bevel.h"

#include "gui/DrawContext.h"

#include <algorithm>
#include <climits>

namespace {

// The far edge of an extent, in 64 bits and cut to what a coordinate holds.
int32_t FarEdge(int32_t start, int32_t extent)
{
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{start} + extent - 1, INT32_MIN, INT32_MAX));
}

}  // namespace

void DrawBevel(DrawContext& dc, int32_t x, int32_t y, int32_t width, int32_t height, int32_t topLeft,
               int32_t bottomRight)
{
    const int32_t right = FarEdge(x, width), bottom = FarEdge(y, height);
    dc.DrawLine(x, y, right, y, 0, topLeft);
    dc.DrawLine(x, bottom, x, y, 0, topLeft);
    dc.DrawLine(right, y, right, bottom, 0, bottomRight);
    dc.DrawLine(x, bottom, right, bottom, 0, bottomRight);
}

void DrawFocusFrame(DrawContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t colour)
{
    constexpr int32_t kDashed = 1;  // line style
    dc.DrawLine(left, top, right, top, kDashed, colour);
    dc.DrawLine(left, bottom, right, bottom, kDashed, colour);
    dc.DrawLine(left, top, left, bottom, kDashed, colour);
    dc.DrawLine(right, top, right, bottom, kDashed, colour);
}
