// MyImage: a windowless control that shows one picture, either an XImage
// handed in by its owner or a compiled-in PaletteImage that it converts on its
// first paint and then owns. Without either it paints its background colour.
#pragma once

#include "gui/Child.h"

#include <X11/Xlib.h>
#include <cstdint>

struct PaletteImage;

class MyImage : public Child {
public:
    // picture stays the caller's; the size is left at the control defaults
    // (set it, or 0 x 0 to draw the picture at its own size).
    MyImage(GUIElement* parentElement, XImage* picture);
    MyImage(GUIElement* parentElement, const PaletteImage* source, int32_t width, int32_t height);
    ~MyImage() override;
    MyImage(const MyImage&) = delete;
    MyImage& operator=(const MyImage&) = delete;

    // A new size gives a source that could not be converted another try.
    void SetSize(int32_t newWidth, int32_t newHeight) override
    {
        sourceRefused = false;
        SetSizeReshowing(newWidth, newHeight);
    }
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionReshowing(newX, newY); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { Show(); }
    // Covers the picture's extent with the colour of what holds it. Like
    // Paint it draws through GetForm, so a form without a window logs the
    // failed drawing context.
    void Hide() override { HideFilling(GetForm(), 1, ContainerBackColor()); }
    void Paint() override;
    void Create() override { CreateVisible(); }

    // Shows a picture that stays the caller's; a converted source is freed.
    virtual void SetImage(XImage* image);
    // Shows a compiled-in picture, converted on the next paint.
    virtual void SetPaletteImage(const PaletteImage* image);
    virtual void SetBorder(bool flag);
    // Stores the flag without repainting.
    virtual void SetEnabledFlag(bool flag) { enabled = flag; }

    XImage* GetImage() const { return picture; }
    bool HasBorder() const { return border; }

private:
    void FreeOwnedPicture();

    XImage* picture = nullptr;
    const PaletteImage* source = nullptr;
    bool ownsPicture = false;  // picture was converted from source
    bool sourceRefused = false; // source failed to convert at this size (logged once)
    bool border = false;
};
