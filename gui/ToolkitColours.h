// The colours the controls share, as 0xRRGGBB pixel values.
#pragma once

#include <cstdint>

// What a background of "no colour" (-1) paints as.
inline constexpr int32_t kNoColourGrey = 0xAAAAAA;
// Captions, ticks and lines of a disabled control.
inline constexpr int32_t kDisabledGrey = 0x9B9B9B;
// The light line beside the tracks, ticks and arrows of sliders and scroll bars.
inline constexpr int32_t kLightLine = 0xDDDDDD;
// The two sides of a bevel.
inline constexpr int32_t kBevelWhite = 0xFFFFFF;
inline constexpr int32_t kBevelBlack = 0x000000;
