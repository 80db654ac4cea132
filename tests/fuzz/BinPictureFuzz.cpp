// Fuzz target: any bytes as a ".bin" picture of any small size, read and
// packed into any pixel layout.
#include "tests/fuzz/FuzzTargets.h"

#include "gui/images/PixelLayout.h"
#include "gui/images/RgbFile.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kPicture = "picture.bin";
constexpr int32_t kLargestSide = 64;   // pixels

// The three colour bytes at distinct places of a 3- or 4-byte pixel, rows
// padded to 1, 2, 4 or 8 bytes; some choices are unusable on purpose.
PixelLayout LayoutOf(uint8_t choice)
{
    static const int32_t orders[][3] = {{2, 1, 0}, {0, 1, 2}, {1, 2, 3}, {3, 2, 1}, {2, 0, 1}, {4, 1, 0}};
    const int32_t* order = orders[(choice >> 4) % 6];
    PixelLayout layout;
    layout.ixRosso = order[0];
    layout.ixVerde = order[1];
    layout.ixBlu = order[2];
    layout.bytesPerPixel = (choice & 1) ? 4 : 3;
    layout.padBytes = 1 << ((choice >> 1) & 3);
    return layout;
}

} // namespace

void FuzzBinPicture(const uint8_t* data, size_t size)
{
    if (size < 3)
        return;
    const int32_t width = data[0] % (kLargestSide + 1);
    const int32_t height = data[1] % (kLargestSide + 1);
    const PixelLayout layout = LayoutOf(data[2]);
    const size_t fileBytes = size - 3;
    {
        std::ofstream out(kPicture, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 3), static_cast<std::streamsize>(fileBytes));
    }
    std::vector<unsigned char> rgb;
    size_t rgbBytes = 0;
    int32_t byteCount = -1;
    FUZZ_CHECK(ReadRgbFile(kPicture, width, height, rgb, &rgbBytes, &byteCount));
    FUZZ_CHECK(byteCount == int32_t(fileBytes));
    FUZZ_CHECK(rgbBytes == size_t(width) * size_t(height) * 3);
    FUZZ_CHECK(rgb.size() == std::max<size_t>(rgbBytes, 1));
    // The file's bytes, then black.
    const size_t copied = std::min(fileBytes, rgbBytes);
    FUZZ_CHECK(std::equal(rgb.begin(), rgb.begin() + copied, data + 3));
    FUZZ_CHECK(std::all_of(rgb.begin() + copied, rgb.end(), [](unsigned char b) { return b == 0; }));

    // Packed into an exactly sized buffer: a byte too far is a sanitizer report.
    const size_t stride = PaddedRowBytes(layout, width);
    FUZZ_CHECK(IsUsableLayout(layout) || stride == 0);
    if (stride == 0 || height == 0)
        return;
    std::vector<unsigned char> pixels(stride * size_t(height), 0);
    PackRgbPixels(layout, rgb.data(), rgbBytes, width, height, pixels.data(), stride);
    const unsigned char* last = pixels.data() + stride * size_t(height - 1) + size_t(width - 1) * layout.bytesPerPixel;
    const unsigned char* lastRgb = rgb.data() + rgbBytes - 3;
    FUZZ_CHECK(last[layout.ixRosso] == lastRgb[0] && last[layout.ixVerde] == lastRgb[1] &&
               last[layout.ixBlu] == lastRgb[2]);
    unlink("log.txt");
}

#ifdef BRUVO_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool entered = [] {
        char folder[] = "/tmp/fuzz_bin_picture.XXXXXX";
        return mkdtemp(folder) != nullptr && chdir(folder) == 0;
    }();
    FUZZ_CHECK(entered);
    FuzzBinPicture(data, size);
    return 0;
}
#endif
