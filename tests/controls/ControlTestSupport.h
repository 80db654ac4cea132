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
    unsigned long Pixel(int px, int py) { return xtest::PixelAt(form->GetWindow(), px, py); }
    int CountColour(int px, int py, int w, int h, unsigned long colour)
    {
        return xtest::CountColour(form->GetWindow(), px, py, w, h, static_cast<uint32_t>(colour));
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
