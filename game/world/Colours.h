// The game's colours, 0xRRGGBB, used as the display's pixel values.
#pragma once

#include <cstdint>

namespace Colours {

// Every fill of the game (the window, the status line, the top strip, the
// banner's box): the darkest colour that is not black, since black pixels are
// the transparent ones of every picture.
constexpr int32_t kNearBlack = 0x010101;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kRed = 0xFF0000;

static_assert(kNearBlack != 0, "black is the transparent colour");

}  // namespace Colours
