// Import of uncompressed BMP files (24, 8 and 4 bits a pixel) as top-down
// packed RGB, and the source-text export of 4-bit files as PaletteImage data.
// The files are not trusted: every header field is checked against the bytes
// the file really holds before a pixel is read, and a file that does not fit
// gives one log line naming it ("ReadBmp8: <path>: <reason>") and an empty
// result. Needs no X.
#pragma once

#include "gui/images/RgbPicture.h"

#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kBmpHeaderBytes = 54;        // 14-byte file header + 40-byte information header
constexpr size_t kBmpFileHeaderBytes = 14;
constexpr uint32_t kBmpMinInfoBytes = 40;
constexpr uint32_t kBmpMaxColourTableBytes = 1024;  // 256 entries of B, G, R, reserved
constexpr int32_t kBmpMaxSide = 16384;              // pixels
constexpr int64_t kBmpMaxPixels = int64_t{1} << 25; // width x height

RgbPicture ReadBmp24(const std::string& path);
RgbPicture ReadBmp8(const std::string& path);
// Also writes the picture as source text to path + ".c" (replacing any file
// of that name); a file that cannot be decoded writes nothing.
RgbPicture ReadBmp4(const std::string& path);

// The decoder behind the readers, over a whole file held in memory.
// bitsPerPixel is 24, 8 or 4. On failure the result is empty and *error
// (when given) says why. For 4 bits, *sourceText (when given) receives the
// export text with the identifiers named after name.
RgbPicture DecodeBmp(const unsigned char* file, size_t size, int bitsPerPixel,
                     std::string* error, std::string* sourceText = nullptr,
                     const std::string& name = std::string());

// The NAME of the export's identifiers: the file name without its folder and
// without the part from the last "." on, in upper case ('Data/x.bmp' gives 'X').
std::string SourceTextName(const std::string& path);
