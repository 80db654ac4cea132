// Slider: picks one integer between a minimum and a maximum. A track with a
// tick per value (at least 8 pixels apart, the control widening to fit), a
// triangular thumb at the level, and the two limits as labels. Horizontal
// (minimum left) or vertical (minimum at the top). Changes made by the user
// call the slide handler and then the change handler.
//
// A range of more than kMaxSteps values draws kMaxSteps ticks, each standing
// for an equal share of the range, so the control stays within X's 16-bit
// coordinates and its point list stays small.
#pragma once

#include "gui/controls/TrackControl.h"

class Slider;
using SlideHandlerFn = void (*)(Slider* slider, int32_t level);

class Slider : public TrackControl {
public:
    Slider(GUIElement* parentElement, bool vertical, int32_t minimum, int32_t maximum);

    // Store and paint; the old place is not erased.
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionPainting(newX, newY); }
    void KeyDown(KeySym keysym) override;
    void Paint() override;

    // Kept within the range; calls no handler.
    void SetLevel(int32_t value);
    int32_t GetLevel() const { return level; }
    void SetLineColor(int32_t colour);
    void SetShowLabels(bool flag);
    void SetSlideHandler(SlideHandlerFn handler) { SlideHandler = handler; }
    // The slide handler with the level, then the change handler.
    void NotifySlide();
    // The first tick at or beyond the point (form window coordinates) sets the level.
    void SlideToPoint(uint64_t point);

    bool IsVertical() const { return vertical; }
    static constexpr int32_t kMaxSteps = 1000;

protected:
    void PressAt(uint64_t point) override { SlideToPoint(point); }
    void DragTo(uint64_t point) override { SlideToPoint(point); }

private:
    // Ticks drawn after the first: the range, kept to 0 .. kMaxSteps.
    int32_t Steps() const;
    // The level tick i stands for, and the tick that shows a level.
    int32_t LevelOfTick(int32_t tick) const;
    int32_t TickOfLevel(int32_t value) const;
    void FitSize(int32_t steps);

    bool vertical;
    int32_t minimum;
    int32_t maximum;
    int32_t level;
    int32_t lineColor = 0x000000;
    bool showLabels = true;
    SlideHandlerFn SlideHandler = nullptr;
};
