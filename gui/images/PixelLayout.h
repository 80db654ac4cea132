// The byte layout of one display pixel, and the per-pixel work done on
// pictures in that layout: packing RGB buffers and the transparent merge.
// Needs no X: the picture functions (Picture.h) measure the layout once,
// store it in VisualLayout and hand these functions a PixelLayout.
#pragma once

#include <cstddef>
#include <cstdint>

// What the probe of the display found; filled once per process.
struct VisualLayoutData {
    int32_t ixRosso = 2;       // byte index of red inside one pixel
    int32_t ixVerde = 1;       // byte index of green
    int32_t ixBlu = 0;         // byte index of blue
    int32_t format = 2;        // XImage format read back (2 = ZPixmap)
    int32_t xoffset = 0;       // XImage xoffset read back
    int32_t bitmapPad = 0;     // bits
    int32_t bitsPerPixel = 0;  // bits
    int32_t bitOrder = 0;      // bitmap_bit_order read back
    int32_t depth = 0;         // bits; 0 until the display has been probed
};

// The process-wide layout (the one global the picture layer keeps).
extern VisualLayoutData VisualLayout;

// The layout in the byte units the per-pixel loops work in.
struct PixelLayout {
    int32_t ixRosso = 2;
    int32_t ixVerde = 1;
    int32_t ixBlu = 0;
    int32_t bytesPerPixel = 4;  // bits_per_pixel / 8
    int32_t padBytes = 4;       // bitmap_pad / 8: rows are a multiple of this
};

// The layout of VisualLayout (call after the probe).
PixelLayout CurrentPixelLayout();

// True when the three colour bytes lie inside a pixel of 1 to 8 bytes and the
// row padding is at least one byte: only then do the functions below write.
bool IsUsableLayout(const PixelLayout& layout);

// Bytes of a row of width pixels, unpadded and rounded up to the padding unit;
// 0 for a width below 1 or an unusable layout.
size_t RowBytes(const PixelLayout& layout, int32_t width);
size_t PaddedRowBytes(const PixelLayout& layout, int32_t width);

// Writes width x height pixels of a top-down packed RGB buffer (3 bytes a
// pixel, R G B, no row padding) into pixels, bytesPerLine bytes a row. The
// buffer is read strictly in sequence and never past rgbBytes: pixels it does
// not cover keep their bytes. Bytes of a pixel other than R, G and B and the
// row padding are not touched, so pixels should arrive zeroed.
void PackRgbPixels(const PixelLayout& layout, const unsigned char* rgb, size_t rgbBytes,
                   int32_t width, int32_t height, unsigned char* pixels, size_t bytesPerLine);

// The transparent merge: every pixel of picture (width x height, pictureStride
// bytes a row) whose R, G and B bytes equal those of keyColour (0xRRGGBB) gets
// the R, G and B bytes of the pixel at the same place in window.
void MergeTransparent(const PixelLayout& layout, unsigned char* picture, size_t pictureStride,
                      const unsigned char* window, size_t windowStride,
                      int32_t width, int32_t height, uint32_t keyColour);
