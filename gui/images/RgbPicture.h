// The exchange format between every picture decoder and CreateImageFromRgb:
// a top-down packed RGB buffer, 3 bytes a pixel (R, G, B), no row padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

using RgbBuffer = std::unique_ptr<unsigned char[]>;

// A decoded picture with its size; rgb is null when decoding failed.
struct RgbPicture {
    RgbBuffer rgb;
    int32_t width = 0;   // pixels
    int32_t height = 0;  // pixels

    explicit operator bool() const { return rgb != nullptr; }
    size_t Bytes() const
    {
        return rgb ? static_cast<size_t>(width) * static_cast<size_t>(height) * 3 : 0;
    }
};
