// Points and sizes travel packed into one 64-bit value: x (or width) in the
// low 32 bits, y (or height) in the high 32 bits.
#pragma once

#include <cstdint>

constexpr uint64_t PackPoint(int32_t x, int32_t y)
{
    return static_cast<uint64_t>(static_cast<uint32_t>(x)) |
           (static_cast<uint64_t>(static_cast<uint32_t>(y)) << 32);
}

constexpr int32_t PointX(uint64_t point) { return static_cast<int32_t>(static_cast<uint32_t>(point)); }
constexpr int32_t PointY(uint64_t point) { return static_cast<int32_t>(static_cast<uint32_t>(point >> 32)); }

static_assert(PointX(PackPoint(-3, 7)) == -3 && PointY(PackPoint(-3, 7)) == 7, "packing round-trips");
