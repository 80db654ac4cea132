// 24-bit colours of the generated art. Pure black is the transparent colour of
// every sprite strip, so drawn content uses Rgb values that are never 0,0,0.
#pragma once

#include <cstdint>

namespace artgen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;

    constexpr bool IsBlack() const { return r == 0 && g == 0 && b == 0; }
    constexpr bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const Rgb& o) const { return !(*this == o); }
};

constexpr Rgb kTransparent{0, 0, 0};

// 0xRRGGBB as written in the palettes.
constexpr Rgb Hex(uint32_t v) {
    return Rgb{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
}

// a + (b - a) * t for t in 0..1 (clamped), rounded.
Rgb Mix(Rgb a, Rgb b, double t);

// Multiplies every channel by factor (clamped to 0..255); never yields pure
// black from a non-black colour, so shading cannot punch transparent holes.
Rgb Shade(Rgb c, double factor);

// Perceived brightness 0..255 (Rec. 601 weights).
int Luma(Rgb c);

}  // namespace artgen
