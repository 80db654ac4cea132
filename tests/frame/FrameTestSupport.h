// Pictures in memory for the frame's tests: owned pixel buffers in the
// 32-bit layout of a 24-bit TrueColor display, filled from colour functions,
// and a synthetic font whose glyphs are easy to find in a picture.
#pragma once

#include "game/Glyphs.h"
#include "game/PixelImage.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace frametest {

inline PixelLayout Layout()
{
    PixelLayout layout;
    layout.ixRosso = 2;
    layout.ixVerde = 1;
    layout.ixBlu = 0;
    layout.bytesPerPixel = 4;
    return layout;
}

// A picture that owns its pixels.
struct Picture {
    Picture(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& colour = nullptr)
        : pixels(static_cast<size_t>(width) * height * 4, 0)
    {
        view = PixelImage{width, height, width * 4, pixels.data()};
        if (colour)
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x)
                    Set(x, y, colour(x, y));
    }
    Picture(const Picture& other) : pixels(other.pixels), view(other.view) { view.data = pixels.data(); }
    Picture& operator=(const Picture&) = delete;

    void Set(int32_t x, int32_t y, uint32_t rgb)
    {
        uint8_t* p = view.PixelAt(Layout(), x, y);
        p[2] = static_cast<uint8_t>(rgb >> 16);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[0] = static_cast<uint8_t>(rgb);
    }
    uint32_t At(int32_t x, int32_t y) const { return Paint::ColourAt(view, Layout(), x, y); }

    std::vector<uint8_t> pixels;
    PixelImage view;
};

// A font of ascent 10 and descent 3 whose every printable glyph is a 5 x 10
// block standing on the baseline, 7 pixels apart; a blank has no ink.
inline GlyphSet BlockFont()
{
    GlyphSet glyphs;
    glyphs.Reset(10, 3, 8, 1);
    for (int c = 33; c < 256; ++c) {
        glyphs.SetAdvance(static_cast<unsigned char>(c), 7);
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 1; x < 6; ++x)
                glyphs.SetInk(static_cast<unsigned char>(c), x, y);
    }
    glyphs.SetAdvance(' ', 7);
    return glyphs;
}

// Pixels where two pictures of one size differ, as a bounding rectangle and a count.
struct Difference {
    Rect bounds;
    int64_t count = 0;
};
inline Difference Compare(const Picture& a, const Picture& b)
{
    Difference d;
    for (int32_t y = 0; y < a.view.height; ++y)
        for (int32_t x = 0; x < a.view.width; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                d.bounds = Bounds(d.bounds, Rect{x, y, 1, 1});
                ++d.count;
            }
    return d;
}

}  // namespace frametest
