#include "tests/images/BmpFiles.h"

void PutU32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void PutU16(std::string& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

std::string BuildBmp(int bits, int32_t width, int32_t height, const std::vector<uint32_t>& palette,
                     const BmpPixelFn& value)
{
    const size_t stored = bits == 24 ? size_t(width) * 3 : bits == 8 ? size_t(width) : (size_t(width) + 1) / 2;
    const size_t padded = (stored + 3) / 4 * 4;
    const size_t offset = 54 + palette.size() * 4;
    std::string bytes(offset + padded * size_t(height), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    PutU32(bytes, 10, static_cast<uint32_t>(offset));
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, static_cast<uint32_t>(width));
    PutU32(bytes, 22, static_cast<uint32_t>(height));
    PutU16(bytes, 26, 1);
    PutU16(bytes, 28, static_cast<uint16_t>(bits));
    PutU32(bytes, 46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) {
        bytes[54 + i * 4] = static_cast<char>(palette[i]);
        bytes[54 + i * 4 + 1] = static_cast<char>(palette[i] >> 8);
        bytes[54 + i * 4 + 2] = static_cast<char>(palette[i] >> 16);
    }
    for (int32_t r = 0; r < height; ++r) {
        const int32_t y = height - 1 - r;  // stored bottom row first
        char* row = &bytes[offset + size_t(r) * padded];
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t v = value(x, y);
            if (bits == 24) {
                row[x * 3] = static_cast<char>(v);
                row[x * 3 + 1] = static_cast<char>(v >> 8);
                row[x * 3 + 2] = static_cast<char>(v >> 16);
            } else if (bits == 8) {
                row[x] = static_cast<char>(v);
            } else {
                const unsigned char nibble = static_cast<unsigned char>(v & 0x0F);
                unsigned char& byte = reinterpret_cast<unsigned char&>(row[x / 2]);
                byte = x % 2 == 0 ? static_cast<unsigned char>((byte & 0x0F) | nibble << 4)
                                  : static_cast<unsigned char>((byte & 0xF0) | nibble);
            }
        }
    }
    return bytes;
}
