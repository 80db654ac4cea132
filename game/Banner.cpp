#include "game/Banner.h"

#include "app/Application.h"
#include "game/FormGames.h"
#include "gui/DrawContext.h"

#include <X11/Xutil.h>
#include <algorithm>
#include <cstring>

namespace {
constexpr int kAlignCentre = 2;  // DrawText: centred
}

void Banner::Show(FormGames& form, const std::string& text, int32_t centreY)
{
    Hide(form);
    XImage* frame = form.GetScreenBuffer();
    Application* application = form.GetApplication();
    if (frame == nullptr || form.GetDrawing() == nullptr || application == nullptr ||
        application->GetDisplay() == nullptr)
        return;
    Display* display = application->GetDisplay();
    width = std::min(form.TextWidth(text) + 2 * kPaddingX, frame->width);
    height = std::min(form.FontAscent() + 2 * kPaddingY, frame->height);
    x = (frame->width - width) / 2;
    y = std::clamp(centreY - height / 2, 0, frame->height - height);

    // Composed off screen, so the window's state does not matter.
    const Pixmap pixmap = XCreatePixmap(display, form.GetWindow(), static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), static_cast<unsigned>(frame->depth));
    if (!pixmap)
        return;
    XImage* box = nullptr;
    {
        DrawContext drawing(&form, pixmap);
        if (drawing.IsValid()) {
            drawing.FillRectangle(0, 0, width + 1, height + 1, 0, 0, kFill);
            drawing.DrawRectangle(0, 0, width, height, 1, kInk);
            drawing.DrawText(0, 0, width, height, text, kInk, -1, kAlignCentre);
            box = XGetImage(display, pixmap, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
        }
    }
    XFreePixmap(display, pixmap);
    if (box == nullptr)
        return;

    covered.resize(static_cast<size_t>(width) * static_cast<size_t>(frame->bits_per_pixel / 8) *
                   static_cast<size_t>(height));
    CopyRows(frame, Copy::FromFrame);
    form.RenderImage(box, x, y, 0, 0, width, height, false, false);
    XDestroyImage(box);
    buffer = frame->data;
    shown = true;
}

void Banner::Hide(FormGames& form)
{
    XImage* frame = form.GetScreenBuffer();
    if (shown && frame != nullptr && frame->data == buffer)
        CopyRows(frame, Copy::IntoFrame);
    shown = false;
}

void Banner::CopyRows(XImage* frame, Copy direction)
{
    const size_t pixelBytes = static_cast<size_t>(frame->bits_per_pixel / 8);
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    for (int32_t row = 0; row < height; ++row) {
        char* inFrame = frame->data + static_cast<size_t>(y + row) * frame->bytes_per_line + x * pixelBytes;
        char* kept = covered.data() + row * rowBytes;
        if (direction == Copy::FromFrame)
            std::memcpy(kept, inFrame, rowBytes);
        else
            std::memcpy(inFrame, kept, rowBytes);
    }
}
