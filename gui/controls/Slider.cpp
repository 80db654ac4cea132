#include "gui/controls/Slider.h"

#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

#include <X11/keysym.h>
#include <algorithm>
#include <string>

namespace {
constexpr int32_t kMinStep = 8;          // pixels between ticks at least
constexpr int32_t kLabelSpan = 18;       // pixels a vertical label takes
constexpr int32_t kLabelWidth = 20;      // pixels a horizontal label takes
constexpr int32_t kTickHalf = 3;         // pixels a tick reaches either side of the track
constexpr int32_t kThumbGap = 5;         // pixels between the track and the thumb's point
constexpr int32_t kThumbSize = 10;       // pixels: the thumb's length and half its base
constexpr int32_t kTickCatch = 2;        // pixels a tick reaches towards the pointer
constexpr int32_t kVerticalMinWidth = 40;    // pixels
constexpr int32_t kHorizontalMinHeight = 36; // pixels
}  // namespace

Slider::Slider(GUIElement* parentElement, bool isVertical, int32_t minimumValue, int32_t maximumValue)
    : TrackControl(parentElement), vertical(isVertical), minimum(minimumValue), maximum(maximumValue),
      level(minimumValue)
{
    type = kTypeSlider;
    text.clear();
}

int32_t Slider::Steps() const
{
    const int64_t range = static_cast<int64_t>(maximum) - minimum;
    return static_cast<int32_t>(std::clamp<int64_t>(range, 0, kMaxSteps));
}

int32_t Slider::LevelOfTick(int32_t tick) const
{
    const int32_t steps = Steps();
    if (steps == 0)
        return minimum;
    const int64_t range = static_cast<int64_t>(maximum) - minimum;
    return static_cast<int32_t>(minimum + range * tick / steps);
}

int32_t Slider::TickOfLevel(int32_t value) const
{
    const int64_t range = static_cast<int64_t>(maximum) - minimum;
    if (range <= 0)
        return 0;
    return static_cast<int32_t>((static_cast<int64_t>(value) - minimum) * Steps() / range);
}

void Slider::SetLevel(int32_t value)
{
    level = std::max(minimum, std::min(value, maximum));
    Paint();
}

void Slider::SetLineColor(int32_t colour)
{
    lineColor = colour;
    Paint();
}

void Slider::SetShowLabels(bool flag)
{
    showLabels = flag;
    PaintIfCreated();
}

void Slider::NotifySlide()
{
    if (SlideHandler != nullptr)
        SlideHandler(this, level);
    if (ChangeHandler != nullptr)
        ChangeHandler(this);
}

void Slider::KeyDown(KeySym keysym)
{
    if (!enabled || !focused || maximum <= minimum)
        return;
    const int32_t before = level;
    if (keysym == XK_Right || keysym == XK_Down)
        level = level >= maximum ? minimum : level + 1;
    else if (keysym == XK_Left || keysym == XK_Up)
        level = level <= minimum ? maximum : level - 1;
    else
        return;
    Paint();
    if (level != before)
        NotifySlide();
}

void Slider::SlideToPoint(uint64_t point)
{
    const int32_t reach = vertical ? PointY(point) : PointX(point);
    for (size_t i = 0; i < points.size(); ++i) {
        if ((vertical ? points[i].y : points[i].x) + kTickCatch < reach)
            continue;
        const int32_t next = LevelOfTick(static_cast<int32_t>(i));
        if (next == level)
            return;
        level = next;
        NotifySlide();
        Paint();
        return;
    }
}

// Every step between ticks at least kMinStep pixels, the track a multiple of the steps.
void Slider::FitSize(int32_t steps)
{
    const int32_t divisor = std::max(steps, 1);
    if (vertical) {
        width = std::clamp(width, kVerticalMinWidth, kMaxExtent);
        const int32_t track = std::clamp(height, kMinStep * divisor + 36, kMaxExtent) - 36;
        height = divisor * (track / divisor) + 36;
    } else {
        height = std::clamp(height, kHorizontalMinHeight, kMaxExtent);
        const int32_t track = std::clamp(width, kMinStep * divisor + 40, kMaxExtent) - 40;
        width = divisor * (track / divisor) + 40;
    }
}

void Slider::Paint()
{
    Form* form = PaintingForm();
    if (form == nullptr)
        return;
    const int32_t steps = Steps();
    FitSize(steps);
    const int32_t divisor = std::max(steps, 1);
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t background = OwnBackColor();
    const int32_t c = LineColour(lineColor);
    const int32_t thumbTick = TickOfLevel(level);

    DrawContext dc(form);
    dc.FillRectangle(px, py, w + 1, h + 1, 0, 0, background);
    points.clear();
    if (vertical) {
        if (showLabels) {
            dc.DrawText(px, py, w + 1, kLabelSpan, std::to_string(minimum), c, background, 2);
            dc.DrawText(px, py + h - kLabelSpan, w + 1, kLabelSpan, std::to_string(maximum), c, background, 2);
        }
        const int32_t cx = px + (w + 1) / 2, y0 = py + kLabelSpan, y1 = py + h - 17;
        dc.DrawLine(cx + 1, y0, cx + 1, y1, 0, kLightLine);
        dc.DrawLine(cx, y0, cx, y1, 0, c);
        const int32_t step = (h - 35) / divisor;
        for (int32_t i = 0; i <= steps; ++i) {
            const int32_t ty = i == steps ? y1 : y0 + i * step;
            dc.DrawLine(cx - kTickHalf, ty, cx + kTickHalf, ty, 0, c);
            dc.DrawLine(cx - kTickHalf, ty + 1, cx + kTickHalf, ty + 1, 0, kLightLine);
            points.push_back(XPoint{static_cast<short>(cx), static_cast<short>(ty)});
            if (i == thumbTick) {
                const XPoint thumb[3] = {{static_cast<short>(cx + kThumbGap), static_cast<short>(ty)},
                                         {static_cast<short>(cx + kThumbGap + kThumbSize), static_cast<short>(ty - kThumbSize)},
                                         {static_cast<short>(cx + kThumbGap + kThumbSize), static_cast<short>(ty + kThumbSize)}};
                dc.FillPolygon(thumb, 3, 1, kLightLine, c);
            }
        }
    } else {
        if (showLabels) {
            dc.DrawText(px, py, kLabelWidth, h, std::to_string(minimum), c, background, 2);
            dc.DrawText(px + w - 19, py, kLabelWidth, h, std::to_string(maximum), c, background, 2);
        }
        const int32_t cy = py + (h + 1) / 2, x0 = px + kLabelWidth, x1 = px + w - 18;
        dc.DrawLine(x0, cy, x1, cy, 0, c);
        dc.DrawLine(x0, cy + 1, x1, cy + 1, 0, kLightLine);
        const int32_t step = (w - 38) / divisor;
        for (int32_t i = 0; i <= steps; ++i) {
            const int32_t tx = i == steps ? x1 : x0 + i * step;
            dc.DrawLine(tx, cy - kTickHalf, tx, cy + kTickHalf, 0, c);
            dc.DrawLine(tx + 1, cy - kTickHalf, tx + 1, cy + kTickHalf, 0, kLightLine);
            points.push_back(XPoint{static_cast<short>(tx), static_cast<short>(cy)});
            if (i == thumbTick) {
                const XPoint thumb[3] = {{static_cast<short>(tx), static_cast<short>(cy - kThumbGap)},
                                         {static_cast<short>(tx + kThumbSize), static_cast<short>(cy - kThumbGap - kThumbSize)},
                                         {static_cast<short>(tx - kThumbSize), static_cast<short>(cy - kThumbGap - kThumbSize)}};
                dc.FillPolygon(thumb, 3, 1, kLightLine, c);
            }
        }
    }
    if (focused && enabled) {
        DrawFocusFrame(dc, px, py + 1, px + w - 1, py + h - 2, c);
    }
}
