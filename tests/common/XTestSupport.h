// The X side shared by the test programs that run on the private X server:
// the program's one Application and pixel read-back from a window. Include
// gtest before this header: X.h's None and Bool macros break its templates.
#pragma once

#include "app/Application.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdint>
#include <vector>

namespace xtest {

// Skips the calling test when there is no X server to run it on (DISPLAY
// unset or unreachable): the X tests then report themselves skipped.
#define BRUVO_SKIP_WITHOUT_DISPLAY()                                                    \
    do {                                                                                \
        if (xtest::App()->GetDisplay() == nullptr)                                      \
            GTEST_SKIP() << "no X display (DISPLAY unset or unreachable)";              \
    } while (false)

// MainApplication must never dangle, so the program's one Application lives
// until the program exits.
inline Application* App()
{
    static Application application("Bruvo test");
    return &application;
}

inline Display* Dpy()
{
    return App()->GetDisplay();
}

// 0xRRGGBB values of a window rectangle, row by row, once every request
// before has reached the server; empty when it cannot be read.
inline std::vector<uint32_t> ReadPixels(Window window, int x, int y, int w, int h)
{
    XSync(Dpy(), False);
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(Dpy(), window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes,
                              ZPixmap);
    if (image == nullptr)
        return pixels;
    pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, col, row) & 0xFFFFFF));
    XDestroyImage(image);
    return pixels;
}

// One pixel; 0xFFFFFFFF when it cannot be read.
inline uint32_t PixelAt(Window window, int x, int y)
{
    const std::vector<uint32_t> pixels = ReadPixels(window, x, y, 1, 1);
    return pixels.empty() ? 0xFFFFFFFFu : pixels[0];
}

// How many pixels of a window rectangle hold the colour; -1 when it cannot be read.
inline int CountColour(Window window, int x, int y, int w, int h, uint32_t colour)
{
    const std::vector<uint32_t> pixels = ReadPixels(window, x, y, w, h);
    if (pixels.empty())
        return -1;
    int count = 0;
    for (uint32_t pixel : pixels)
        count += pixel == colour ? 1 : 0;
    return count;
}

}  // namespace xtest
