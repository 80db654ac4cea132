// ProgressBar: a framed rectangle filled in blue from the left in proportion
// to where the progress lies between the minimum and the maximum. No input of
// its own beyond the handlers. Hiding keeps it created.
#pragma once

#include "gui/Child.h"

class ProgressBar : public Child {
public:
    ProgressBar(GUIElement* parentElement, int32_t minimum, int32_t maximum);

    void Create() override { CreateVisible(IdToUserData::Keep); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { ProgressBar::Show(); }
    // Covers the extent with the colour of what holds the bar; it stays
    // created, and paints nothing until it is shown again.
    void Hide() override { HideFilling(DrawingForm(), 1, ContainerBackColor(), AfterHide::StaysCreated); }
    // A shown bar is erased, moved or resized and drawn again; a hidden one only stores.
    void SetSize(int32_t newWidth, int32_t newHeight) override { SetSizeReshowing(newWidth, newHeight); }
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionReshowing(newX, newY); }
    void Paint() override;

    // Kept within minimum .. maximum; paints when created.
    void SetProgress(int32_t value);
    int32_t GetProgress() const { return progress; }
    void SetBorder(bool flag);
    int32_t GetMinimum() const { return minimum; }
    int32_t GetMaximum() const { return maximum; }

private:
    int32_t minimum;
    int32_t maximum;
    int32_t progress;
    bool hasBorder = true;
};
