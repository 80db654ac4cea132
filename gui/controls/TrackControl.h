// TrackControl: what the slider and the scroll bar share. Both take the
// focus, move with the cursor keys, the space bar (as Down) and the mouse
// (press, then drag while the button is held), and keep the points they drew
// their ticks or page cells at during the last paint, which the mouse reads.
#pragma once

#include "gui/Child.h"

#include <X11/Xlib.h>
#include <vector>

class TrackControl : public Child {
public:
    void Create() override { CreateVisible(); }
    // Store and paint.
    void SetSize(int32_t newWidth, int32_t newHeight) override { SetSizePainting(newWidth, newHeight); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { TrackControl::Show(); }
    // Covers the extent plus one pixel with the colour of what holds it.
    void Hide() override { HideFilling(DrawingForm(), 2, ContainerBackColor()); }
    void SetFocus() override;
    void GotFocus() override;
    void LostFocus() override;
    // The release ends a drag.
    void Click(uint64_t point) override;
    void MouseDown(uint64_t point) override;
    void MouseMove(int px, int py) override;
    bool TakesDrags() const override { return true; }
    bool KeyPress(char character) override;

    bool IsDragging() const { return dragging; }

protected:
    explicit TrackControl(GUIElement* parentElement);

    // A press of the mouse at a point of the form's window.
    virtual void PressAt(uint64_t point) = 0;
    // The pointer moved to a point while the button is held.
    virtual void DragTo(uint64_t point) = 0;
    // The drawing colour: the given one when enabled, else the disabled grey.
    int32_t LineColour(int32_t enabledColour) const;

    // X coordinates are 16-bit: no control is drawn larger than this (pixels).
    static constexpr int32_t kMaxExtent = 16384;

    std::vector<XPoint> points;
    bool dragging = false;
};
