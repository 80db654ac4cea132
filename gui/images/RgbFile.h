// The game's ".bin" pictures: width x height pixels of packed RGB (3 bytes a
// pixel, R G B, top row first, no header and no padding). Needs no X.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads a picture file into rgb, which then holds the whole picture
// (*rgbBytes = width x height x 3 bytes; at least one byte): a file's bytes
// past that are not read, a short file is logged and its missing part stays
// black. *byteCount (when given) gets the file's size. False, with a log
// line, when the file cannot be read.
bool ReadRgbFile(const std::string& path, int32_t width, int32_t height, std::vector<unsigned char>& rgb,
                 size_t* rgbBytes, int32_t* byteCount);
