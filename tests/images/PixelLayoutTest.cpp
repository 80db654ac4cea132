#include "gui/images/PixelLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

PixelLayout Layout(int r, int g, int b, int bytesPerPixel, int padBytes)
{
    PixelLayout layout;
    layout.ixRosso = r;
    layout.ixVerde = g;
    layout.ixBlu = b;
    layout.bytesPerPixel = bytesPerPixel;
    layout.padBytes = padBytes;
    return layout;
}

const PixelLayout kTrueColor = Layout(2, 1, 0, 4, 4);

TEST(PixelLayoutTest, OnePixelBecomesBlueGreenRedZero)
{
    const std::vector<unsigned char> rgb = {10, 20, 30};
    std::vector<unsigned char> pixels(4, 0);
    PackRgbPixels(kTrueColor, rgb.data(), rgb.size(), 1, 1, pixels.data(), 4);
    EXPECT_EQ(pixels, (std::vector<unsigned char>{30, 20, 10, 0}));
}

TEST(PixelLayoutTest, RowsArePaddedToTheUnitAndThePaddingStaysZero)
{
    const PixelLayout packed = Layout(0, 1, 2, 3, 4);  // 3-byte pixels, rows padded to 4
    EXPECT_EQ(RowBytes(packed, 3), 9u);
    EXPECT_EQ(PaddedRowBytes(packed, 3), 12u);
    EXPECT_EQ(PaddedRowBytes(kTrueColor, 3), 12u);
    EXPECT_EQ(PaddedRowBytes(Layout(2, 1, 0, 4, 8), 3), 16u);
    EXPECT_EQ(PaddedRowBytes(kTrueColor, 0), 0u);

    std::vector<unsigned char> rgb;
    for (unsigned char i = 1; i <= 18; ++i)
        rgb.push_back(i);
    std::vector<unsigned char> pixels(24, 0);
    PackRgbPixels(packed, rgb.data(), rgb.size(), 3, 2, pixels.data(), 12);
    EXPECT_EQ(pixels, (std::vector<unsigned char>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,
                                                  10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0}));
}

TEST(PixelLayoutTest, MeasuredIndicesPlaceTheBytes)
{
    const std::vector<unsigned char> rgb = {1, 2, 3, 4, 5, 6};
    std::vector<unsigned char> pixels(8, 0);
    PackRgbPixels(Layout(1, 3, 0, 4, 4), rgb.data(), rgb.size(), 2, 1, pixels.data(), 8);
    EXPECT_EQ(pixels, (std::vector<unsigned char>{3, 1, 0, 2, 6, 4, 0, 5}));
}

TEST(PixelLayoutTest, ShortBufferIsNotReadPastItsEnd)
{
    // 2 x 2 pixels want 12 bytes; 7 give two whole pixels, the rest stays black.
    std::vector<unsigned char> rgb(7, 0xEE);
    std::vector<unsigned char> pixels(16, 0);
    PackRgbPixels(kTrueColor, rgb.data(), rgb.size(), 2, 2, pixels.data(), 8);
    EXPECT_EQ(pixels, (std::vector<unsigned char>{0xEE, 0xEE, 0xEE, 0, 0xEE, 0xEE, 0xEE, 0,
                                                  0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(PixelLayoutTest, UnusableLayoutsWriteNothing)
{
    const std::vector<unsigned char> rgb = {1, 2, 3};
    for (const PixelLayout& bad : {Layout(4, 1, 0, 4, 4), Layout(2, 1, -1, 4, 4), Layout(2, 1, 0, 2, 4),
                                   Layout(0, 0, 0, 0, 4), Layout(2, 1, 0, 4, 0)}) {
        EXPECT_FALSE(IsUsableLayout(bad));
        std::vector<unsigned char> pixels(4, 0);
        PackRgbPixels(bad, rgb.data(), rgb.size(), 1, 1, pixels.data(), 4);
        EXPECT_EQ(pixels, std::vector<unsigned char>(4, 0));
    }
    EXPECT_TRUE(IsUsableLayout(kTrueColor));
}

TEST(PixelLayoutTest, MergeShowsTheWindowOnlyWhereThePictureHasTheKey)
{
    // Picture rows of 3 pixels (stride 16), window rows of 2 (stride 8): a
    // 2 x 2 merge uses each image's own stride.
    std::vector<unsigned char> picture = {
        0, 0, 0, 9,  1, 0, 0, 0,  0, 0, 0, 0,  7, 7, 7, 7,
        0, 0, 1, 0,  0, 0, 0, 5,  0, 0, 0, 0,  7, 7, 7, 7};
    const std::vector<unsigned char> window = {
        11, 12, 13, 14,  21, 22, 23, 24,
        31, 32, 33, 34,  41, 42, 43, 44};
    MergeTransparent(kTrueColor, picture.data(), 16, window.data(), 8, 2, 2, 0x000000);
    EXPECT_EQ(picture, (std::vector<unsigned char>{
                           11, 12, 13, 9,  1, 0, 0, 0,  0, 0, 0, 0,  7, 7, 7, 7,
                           0, 0, 1, 0,  41, 42, 43, 5,  0, 0, 0, 0,  7, 7, 7, 7}));
}

TEST(PixelLayoutTest, MergeComparesTheKeyColourByComponent)
{
    // Key 0x112233: red at index 2, blue at index 0.
    std::vector<unsigned char> picture = {0x33, 0x22, 0x11, 0, 0x11, 0x22, 0x33, 0};
    const std::vector<unsigned char> window = {1, 2, 3, 4, 5, 6, 7, 8};
    MergeTransparent(kTrueColor, picture.data(), 8, window.data(), 8, 2, 1, 0x112233);
    EXPECT_EQ(picture, (std::vector<unsigned char>{1, 2, 3, 0, 0x11, 0x22, 0x33, 0}));
}

}  // namespace
