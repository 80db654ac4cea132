#include "gui/controls/ScrollBar.h"

#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

#include <X11/keysym.h>
#include <algorithm>

namespace {
constexpr int32_t kThickness = 21;  // pixels across the bar, at least
constexpr int32_t kMinLength = 52;  // pixels along the bar, at least
constexpr int32_t kEnd = 21;        // pixels an arrow takes at each end
constexpr int32_t kArrowTip = 2;    // pixels from the edge to an arrow's tip and base corners
constexpr int32_t kArrowBase = 19;  // pixels from the end to an arrow's base
}  // namespace

ScrollBar::ScrollBar(GUIElement* parentElement, int32_t minimumValue, int32_t maximumValue)
    : TrackControl(parentElement), minimum(minimumValue), maximum(maximumValue)
{
    type = kTypeScrollBar;
    width = 80;
    height = 13;
}

ScrollBar::Pages ScrollBar::Measure() const
{
    Pages pages{};
    // The length Paint draws at, so that keys before the first paint agree with it.
    pages.track = std::clamp(vertical ? height : width, kMinLength, kMaxExtent) - 2 * kEnd;
    const int64_t range = std::max<int64_t>(static_cast<int64_t>(maximum) - minimum, 0);
    pages.count = std::max<int64_t>((range + pages.track - 1) / pages.track, 1);
    pages.cells = static_cast<int32_t>(std::min<int64_t>(pages.count, pages.track));
    pages.cell = pages.track / pages.cells;
    pages.spare = pages.track % pages.cells;
    return pages;
}

int64_t ScrollBar::CurrentPage(const Pages& pages) const
{
    const int64_t page = (static_cast<int64_t>(scrollPos) - minimum) / pages.track;
    return std::clamp<int64_t>(page, 0, pages.count - 1);
}

void ScrollBar::SetRange(int32_t newMinimum, int32_t newMaximum)
{
    minimum = newMinimum;
    maximum = newMaximum;
    Paint();
}

void ScrollBar::SetScrollPos(int32_t position)
{
    scrollPos = position;
    Paint();
}

void ScrollBar::SetHorizontal(bool flag)
{
    Relayout(!flag);
}

void ScrollBar::SetVertical(bool flag)
{
    Relayout(flag);
}

void ScrollBar::Relayout(bool toVertical)
{
    vertical = toVertical;
    if (created) {
        Hide();
        Show();
    }
}

void ScrollBar::StepPage(int32_t delta)
{
    const Pages pages = Measure();
    const int64_t page = std::clamp<int64_t>(CurrentPage(pages) + delta, 0, pages.count - 1);
    const int64_t position = minimum + static_cast<int64_t>(pages.track) * page;
    if (position == scrollPos)
        return;
    scrollPos = static_cast<int32_t>(position);
    Paint();
    if (ScrollHandler != nullptr)
        ScrollHandler(this, 10 * position, position);
}

void ScrollBar::KeyDown(KeySym keysym)
{
    if (!enabled || !focused)
        return;
    if (keysym == XK_Left || keysym == XK_Up)
        StepPage(-1);
    else if (keysym == XK_Right || keysym == XK_Down)
        StepPage(1);
}

void ScrollBar::PressAt(uint64_t point)
{
    if (points.empty())
        return;
    const Pages pages = Measure();
    const int32_t reach = vertical ? PointY(point) : PointX(point);
    const int32_t first = vertical ? points.front().y : points.front().x;
    const int32_t lastEnd = (vertical ? points.back().y : points.back().x) + pages.cell + pages.spare;
    if (reach < first)
        StepPage(-1);
    else if (reach > lastEnd)
        StepPage(1);
    else
        ScrollToPoint(point);
}

void ScrollBar::ScrollToPoint(uint64_t point)
{
    const Pages pages = Measure();
    const int32_t reach = vertical ? PointY(point) : PointX(point);
    for (size_t i = 0; i < points.size(); ++i) {
        if ((vertical ? points[i].y : points[i].x) + pages.cell < reach)
            continue;
        const int64_t page = static_cast<int64_t>(i) * pages.count / pages.cells;
        const int64_t position = minimum + static_cast<int64_t>(pages.track) * page;
        if (position == scrollPos)
            return;
        scrollPos = static_cast<int32_t>(position);
        if (ScrollHandler != nullptr)
            ScrollHandler(this, 10 * position, static_cast<int64_t>(i));
        Paint();
        return;
    }
}

void ScrollBar::Paint()
{
    Form* form = PaintingForm();
    if (form == nullptr)
        return;
    if (vertical) {
        width = std::clamp(width, kThickness, kMaxExtent);
        height = std::clamp(height, kMinLength, kMaxExtent);
    } else {
        height = std::clamp(height, kThickness, kMaxExtent);
        width = std::clamp(width, kMinLength, kMaxExtent);
    }
    const Pages pages = Measure();
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t c = LineColour(0x000000);

    DrawContext dc(form);
    dc.FillRectangle(px, py, w, h, 0, 0, OwnBackColor());
    dc.DrawLine(px, py, px + w, py, 0, kLightLine);
    dc.DrawLine(px, py, px, py + h, 0, kLightLine);
    dc.DrawLine(px + w, py, px + w, py + h, 0, c);
    dc.DrawLine(px, py + h, px + w, py + h, 0, c);

    const auto P = [](int32_t ax, int32_t ay) { return XPoint{static_cast<short>(ax), static_cast<short>(ay)}; };
    if (vertical) {
        const XPoint up[3] = {P(px + w / 2, py + kArrowTip), P(px + w - kArrowTip, py + kArrowBase),
                              P(px + kArrowTip, py + kArrowBase)};
        const XPoint down[3] = {P(px + w / 2, py + h - kArrowTip), P(px + w - kArrowTip, py + h - kArrowBase),
                                P(px + kArrowTip, py + h - kArrowBase)};
        dc.FillPolygon(up, 3, 1, kLightLine, c);
        dc.FillPolygon(down, 3, 1, kLightLine, c);
    } else {
        const XPoint left[3] = {P(px + kArrowTip, py + h / 2), P(px + kArrowBase, py + kArrowTip),
                                P(px + kArrowBase, py + h - kArrowTip)};
        const XPoint right[3] = {P(px + w - kArrowTip, py + h / 2), P(px + w - kArrowBase, py + kArrowTip),
                                 P(px + w - kArrowBase, py + h - kArrowTip)};
        dc.FillPolygon(left, 3, 1, kLightLine, c);
        dc.FillPolygon(right, 3, 1, kLightLine, c);
    }

    points.clear();
    for (int32_t i = 0; i < pages.cells; ++i) {
        const int32_t start = (vertical ? py : px) + kEnd + pages.cell * i;
        points.push_back(vertical ? P(px, start) : P(start, py));
    }
    if (pages.count > 1) {
        const int32_t k = static_cast<int32_t>(CurrentPage(pages) * pages.cells / pages.count);
        const int32_t length = pages.cell + (k == pages.cells - 1 ? pages.spare : 0);
        const int32_t start = kEnd + pages.cell * k;
        if (vertical)
            dc.FillRectangle(px + 2, py + start, w - 2, length, 0, 0, c);
        else
            dc.FillRectangle(px + start, py + 2, length, h - 2, 0, 0, c);
    }
}
