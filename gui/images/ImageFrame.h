// ImageFrame: a windowless control that shows one frame of a set of equally
// sized pictures: a cut-out of a sheet laid out as a grid of frames, or one
// entry of an array of pictures (the caller's, read at every paint, or
// converted from compiled-in PaletteImages on the first paint). The control's
// size is one frame's.
// The frame is chosen by column and row; an array is indexed by column + row,
// one of the two being 0 in practice. A frame outside the pictures is refused
// with a log line.
#pragma once

#include "gui/Child.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <vector>

struct PaletteImage;

class ImageFrame : public Child {
public:
    // The sheet stays the caller's.
    ImageFrame(GUIElement* parentElement, XImage* sheet, int32_t column, int32_t row);
    // The array (frameCount pictures) stays the caller's and is read at every
    // paint: the caller may replace an entry (and free the old picture), or
    // set it to null to show nothing, as long as the array lives.
    ImageFrame(GUIElement* parentElement, XImage* const* frames, int32_t frameCount, int32_t column, int32_t row);
    // The count sources are converted at the control's size on the first
    // paint; the pictures made belong to the control.
    ImageFrame(GUIElement* parentElement, const PaletteImage* const* sources, int32_t count, int32_t column,
               int32_t row);
    ~ImageFrame() override;

    void Create() override { CreateVisible(); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { ImageFrame::Show(); }
    // Covers the extent with the colour of what holds the frame.
    void Hide() override { HideFilling(DrawingForm(), 1, ContainerBackColor()); }
    void SetSize(int32_t newWidth, int32_t newHeight) override { SetSizeReshowing(newWidth, newHeight); }
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionReshowing(newX, newY); }
    // Paints even while a form is being built.
    void Paint() override;

    // Nothing when both are the current ones; paints when created.
    void SetFrame(int32_t column, int32_t row);
    // As SetFrame; with hideFirst the control is hidden and created again
    // before it paints (clearing what a transparent frame leaves behind).
    void SetFrameAndHide(int32_t column, int32_t row, bool hideFirst);
    // Column low, row high.
    uint64_t GetFrame() const;
    // Black shows the background of what holds the frame.
    void SetTransparent(bool flag);
    bool IsTransparent() const { return transparent; }

private:
    // Whether (column, row) names a frame of the pictures (the sheet judged
    // at the control's size); logs the first time it does not.
    bool FrameExists(int32_t column, int32_t row) const;
    bool StoreFrame(int32_t column, int32_t row);
    void ConvertSources();
    // The picture of an existing frame of an array: the caller's entry or a
    // converted source.
    XImage* ArrayFrame(int32_t index) const;

    bool transparent = false;
    XImage* sheet = nullptr;
    XImage* const* frames = nullptr;  // the caller's array
    const PaletteImage* const* sources = nullptr;
    std::vector<XImage*> converted;   // the sources' pictures, the control's own
    int32_t count = 0;                // entries of frames or sources
    int32_t column = 0;
    int32_t row = 0;
    mutable uint64_t lastMissing = ~uint64_t{0};  // the frame last logged as missing
};
