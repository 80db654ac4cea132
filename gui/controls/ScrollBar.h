// ScrollBar: a bar with an arrow at each end and a thumb marking one of the
// equal pages of a range, each page as long as the track is (in pixels).
// Horizontal or vertical. The cursor keys and the space bar move a page, a
// press beyond the cells steps one, a press or drag on the cells jumps there;
// each change made by the user calls the scroll handler.
//
// Pages beyond one per pixel of track share cells, so the drawing and the
// point list stay small whatever the range.
#pragma once

#include "gui/controls/TrackControl.h"

class ScrollBar;
// Ten times the position, then the position (keys) or the cell (mouse).
using ScrollHandlerFn = void (*)(ScrollBar* bar, int64_t tenTimesPosition, int64_t detail);

class ScrollBar : public TrackControl {
public:
    ScrollBar(GUIElement* parentElement, int32_t minimum, int32_t maximum);

    // A shown bar is erased, moved and drawn again.
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionReshowing(newX, newY); }
    void KeyDown(KeySym keysym) override;
    void Paint() override;

    void SetRange(int32_t newMinimum, int32_t newMaximum);
    // Stored as given; drawn at its page, counted down and kept inside the range.
    void SetScrollPos(int32_t position);
    int32_t GetScrollPos() const { return scrollPos; }
    // Turning one layout on turns the other off.
    void SetHorizontal(bool flag);
    void SetVertical(bool flag);
    bool IsVertical() const { return vertical; }
    void SetScrollHandler(ScrollHandlerFn handler) { ScrollHandler = handler; }
    // The first cell reaching the point (form window coordinates) sets the position.
    void ScrollToPoint(uint64_t point);

protected:
    void PressAt(uint64_t point) override;
    void DragTo(uint64_t point) override { ScrollToPoint(point); }

private:
    // The layout of the last paint's size, in pixels and pages.
    struct Pages {
        int32_t track;   // L: the track's length
        int64_t count;   // P: pages of the range, at least 1
        int32_t cells;   // cells drawn: P, or one per pixel of track when P is more
        int32_t cell;    // H: a cell's length
        int32_t spare;   // r: pixels the last cell has over H
    };
    Pages Measure() const;
    // The page of the position, kept to the range.
    int64_t CurrentPage(const Pages& pages) const;
    // Moves by delta pages; paints and reports when the position changed.
    void StepPage(int32_t delta);
    void Relayout(bool toVertical);

    bool vertical = false;
    int32_t minimum;
    int32_t maximum;
    int32_t scrollPos = 0;
    ScrollHandlerFn ScrollHandler = nullptr;
};
