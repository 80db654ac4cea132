#include "gui/images/PaletteImage.h"

#include "support/Log.h"

#include <string>

void DecodeNibbleRow(const unsigned char* row, int32_t pixelCount, const unsigned char* palette,
                     unsigned char* out)
{
    for (int32_t x = 0; x < pixelCount; ++x, out += 3) {
        const unsigned char byte = row[x / 2];
        const unsigned index = (x % 2 == 0) ? (byte >> 4) : (byte & 0x0F);
        const unsigned char* entry = palette + index * 3;
        out[0] = entry[0];
        out[1] = entry[1];
        out[2] = entry[2];
    }
}

RgbBuffer DecodePaletteImage(int32_t width, int32_t height, const PaletteImage* image)
{
    if (image == nullptr || image->palette == nullptr || image->pixels == nullptr) {
        WriteLog("DecodePaletteImage: no picture");
        return nullptr;
    }
    if (width < 1 || height < 1) {
        WriteLog("DecodePaletteImage: size " + std::to_string(width) + " x " + std::to_string(height));
        return nullptr;
    }
    const size_t outRow = static_cast<size_t>(width) * 3;
    RgbBuffer rgb(new unsigned char[outRow * static_cast<size_t>(height)]());
    if (image->w < 1 || image->h < 1)
        return rgb;

    const size_t storedRow = (static_cast<size_t>(image->w) + 1) / 2;
    const int32_t columns = width < image->w ? width : image->w;
    const int32_t rows = height < image->h ? height : image->h;
    for (int32_t r = 0; r < rows; ++r) {
        unsigned char* out = rgb.get() + static_cast<size_t>(height - 1 - r) * outRow;
        DecodeNibbleRow(image->pixels + static_cast<size_t>(r) * storedRow, columns, image->palette, out);
    }
    return rgb;
}
