// 16-colour pictures compiled into the program (the check and option box
// states), and their decoder. The source text written by ReadBmp4 declares
// one array holding the 48 palette bytes followed by the pixel bytes, so a
// record is made as PaletteImage{imgX, imgX + 48, wX, hX}.
#pragma once

#include "gui/images/RgbPicture.h"

#include <cstdint>

struct PaletteImage {
    const unsigned char* palette;  // 48 bytes: 16 entries of R, G, B
    const unsigned char* pixels;   // ceil(w / 2) x h bytes: 4-bit indices, high nibble left,
                                   // bottom row first, no row padding
    int32_t w;                     // pixels
    int32_t h;                     // pixels
};

constexpr int32_t kPaletteEntries = 16;
constexpr int32_t kPaletteBytes = kPaletteEntries * 3;

// A new width x height x 3 packed RGB buffer of the picture, flipped so the
// first stored row becomes the bottom one. The stored rows are read with the
// picture's own width and height: where width or height reaches beyond them
// the output stays black. Null (and a log line) for a missing picture or a
// size below 1 x 1.
RgbBuffer DecodePaletteImage(int32_t width, int32_t height, const PaletteImage* image);

// Decodes one stored row of 4-bit indices into packed RGB: the high nibble is
// the left pixel; with an odd count the low nibble of the last byte is unused.
// palette holds 3-byte R, G, B entries, one for each of the 16 nibble values.
void DecodeNibbleRow(const unsigned char* row, int32_t pixelCount, const unsigned char* palette,
                     unsigned char* out);
