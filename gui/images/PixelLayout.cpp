#include "gui/images/PixelLayout.h"

VisualLayoutData VisualLayout;

namespace {
constexpr int32_t kMaxBytesPerPixel = 8;

bool InsidePixel(int32_t index, int32_t bytesPerPixel)
{
    return index >= 0 && index < bytesPerPixel;
}
}

PixelLayout CurrentPixelLayout()
{
    PixelLayout layout;
    layout.ixRosso = VisualLayout.ixRosso;
    layout.ixVerde = VisualLayout.ixVerde;
    layout.ixBlu = VisualLayout.ixBlu;
    layout.bytesPerPixel = VisualLayout.bitsPerPixel / 8;
    layout.padBytes = VisualLayout.bitmapPad / 8;
    return layout;
}

bool IsUsableLayout(const PixelLayout& layout)
{
    return layout.bytesPerPixel >= 1 && layout.bytesPerPixel <= kMaxBytesPerPixel &&
           layout.padBytes >= 1 && InsidePixel(layout.ixRosso, layout.bytesPerPixel) &&
           InsidePixel(layout.ixVerde, layout.bytesPerPixel) &&
           InsidePixel(layout.ixBlu, layout.bytesPerPixel);
}

size_t RowBytes(const PixelLayout& layout, int32_t width)
{
    if (width < 1 || !IsUsableLayout(layout))
        return 0;
    return static_cast<size_t>(width) * static_cast<size_t>(layout.bytesPerPixel);
}

size_t PaddedRowBytes(const PixelLayout& layout, int32_t width)
{
    const size_t row = RowBytes(layout, width);
    const size_t unit = static_cast<size_t>(layout.padBytes > 0 ? layout.padBytes : 1);
    return (row + unit - 1) / unit * unit;
}

namespace {
// The display every supported system has (blue, green, red, unused) gets
// constant indices, which lets the compiler keep the loop tight.
template <int R, int G, int B, int N>
void PackRows(const unsigned char* rgb, size_t pixelCount, int32_t width, unsigned char* pixels,
              size_t bytesPerLine)
{
    size_t done = 0;
    for (size_t y = 0; done < pixelCount; ++y) {
        const size_t count = pixelCount - done < static_cast<size_t>(width) ? pixelCount - done
                                                                             : static_cast<size_t>(width);
        unsigned char* out = pixels + y * bytesPerLine;
        for (size_t i = 0; i < count; ++i, rgb += 3, out += N) {
            out[R] = rgb[0];
            out[G] = rgb[1];
            out[B] = rgb[2];
        }
        done += count;
    }
}

void PackRowsAnyLayout(const PixelLayout& layout, const unsigned char* rgb, size_t pixelCount,
                       int32_t width, unsigned char* pixels, size_t bytesPerLine)
{
    const size_t step = static_cast<size_t>(layout.bytesPerPixel);
    size_t done = 0;
    for (size_t y = 0; done < pixelCount; ++y) {
        const size_t count = pixelCount - done < static_cast<size_t>(width) ? pixelCount - done
                                                                             : static_cast<size_t>(width);
        unsigned char* out = pixels + y * bytesPerLine;
        for (size_t i = 0; i < count; ++i, rgb += 3, out += step) {
            out[layout.ixRosso] = rgb[0];
            out[layout.ixVerde] = rgb[1];
            out[layout.ixBlu] = rgb[2];
        }
        done += count;
    }
}
}

void PackRgbPixels(const PixelLayout& layout, const unsigned char* rgb, size_t rgbBytes,
                   int32_t width, int32_t height, unsigned char* pixels, size_t bytesPerLine)
{
    if (rgb == nullptr || pixels == nullptr || width < 1 || height < 1 || !IsUsableLayout(layout) ||
        bytesPerLine < RowBytes(layout, width))
        return;
    const size_t wanted = static_cast<size_t>(width) * static_cast<size_t>(height);
    const size_t available = rgbBytes / 3;
    const size_t pixelCount = available < wanted ? available : wanted;
    if (layout.ixRosso == 2 && layout.ixVerde == 1 && layout.ixBlu == 0 && layout.bytesPerPixel == 4)
        PackRows<2, 1, 0, 4>(rgb, pixelCount, width, pixels, bytesPerLine);
    else
        PackRowsAnyLayout(layout, rgb, pixelCount, width, pixels, bytesPerLine);
}

void MergeTransparent(const PixelLayout& layout, unsigned char* picture, size_t pictureStride,
                      const unsigned char* window, size_t windowStride, int32_t width,
                      int32_t height, uint32_t keyColour)
{
    const size_t rowBytes = RowBytes(layout, width);
    if (picture == nullptr || window == nullptr || height < 1 || rowBytes == 0 ||
        pictureStride < rowBytes || windowStride < rowBytes)
        return;
    const unsigned char keyR = static_cast<unsigned char>(keyColour >> 16);
    const unsigned char keyG = static_cast<unsigned char>(keyColour >> 8);
    const unsigned char keyB = static_cast<unsigned char>(keyColour);
    const int32_t r = layout.ixRosso, g = layout.ixVerde, b = layout.ixBlu;
    const size_t step = static_cast<size_t>(layout.bytesPerPixel);
    for (int32_t y = 0; y < height; ++y) {
        unsigned char* pic = picture + static_cast<size_t>(y) * pictureStride;
        const unsigned char* win = window + static_cast<size_t>(y) * windowStride;
        for (size_t offset = 0; offset < rowBytes; offset += step) {
            if (pic[offset + r] == keyR && pic[offset + g] == keyG && pic[offset + b] == keyB) {
                pic[offset + r] = win[offset + r];
                pic[offset + g] = win[offset + g];
                pic[offset + b] = win[offset + b];
            }
        }
    }
}
