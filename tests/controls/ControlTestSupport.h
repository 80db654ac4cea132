// The fixture of the newer control tests: one form on the private X server
// and read-back helpers for its window's pixels.
#pragma once

#include "tests/gui/GuiTestSupport.h"

#include <memory>

namespace controltest {

using namespace guitest;

class ControlTest : public GuiTest {
protected:
    static constexpr int32_t kFormColour = 0x336699;

    void SetUp() override
    {
        GuiTest::SetUp();
        form = std::make_unique<RecordingForm>("form", 0, 0, 400, 300);
        form->SetBackColor(kFormColour);
        form->Create();
        Sync();
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    // The 0xRRGGBB colour of a pixel of the form's window.
    unsigned long Pixel(int px, int py)
    {
        Sync();
        XImage* image = XGetImage(Dpy(), form->GetWindow(), px, py, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
            return ~0ul;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }
    int CountColour(int px, int py, int w, int h, unsigned long colour)
    {
        Sync();
        XImage* image = XGetImage(Dpy(), form->GetWindow(), px, py, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (image == nullptr)
            return -1;
        int count = 0;
        for (int iy = 0; iy < h; ++iy)
            for (int ix = 0; ix < w; ++ix)
                count += (XGetPixel(image, ix, iy) & 0xFFFFFF) == colour;
        XDestroyImage(image);
        return count;
    }
    // The columns of a row span that hold the colour somewhere in rows py .. py + h - 1.
    int ColumnsWith(int px, int py, int w, int h, unsigned long colour)
    {
        int columns = 0;
        for (int ix = 0; ix < w; ++ix)
            columns += CountColour(px + ix, py, 1, h, colour) > 0;
        return columns;
    }

    std::unique_ptr<RecordingForm> form;
};

}  // namespace controltest
