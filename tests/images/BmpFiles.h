// Builds small BMP files in memory for the reader tests: the usual 54-byte
// header, a colour table for 4 and 8 bits, rows bottom first padded to 4.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// value(x, y), y counted from the top: 0xRRGGBB for 24 bits, an index otherwise.
using BmpPixelFn = std::function<uint32_t(int32_t x, int32_t y)>;

std::string BuildBmp(int bits, int32_t width, int32_t height, const std::vector<uint32_t>& palette,
                     const BmpPixelFn& value);

// Little-endian field writers for breaking headers on purpose.
void PutU32(std::string& bytes, size_t at, uint32_t value);
void PutU16(std::string& bytes, size_t at, uint16_t value);
