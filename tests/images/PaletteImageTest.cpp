#include "gui/images/PaletteImage.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Entry i is (i, 16 + i, 32 + i), so a decoded pixel tells its index.
std::vector<unsigned char> Palette()
{
    std::vector<unsigned char> palette;
    for (unsigned char i = 0; i < kPaletteEntries; ++i)
        palette.insert(palette.end(), {i, static_cast<unsigned char>(16 + i), static_cast<unsigned char>(32 + i)});
    return palette;
}

std::vector<int> Indices(const RgbBuffer& rgb, size_t pixels)
{
    std::vector<int> indices;
    for (size_t i = 0; i < pixels; ++i)
        indices.push_back(rgb[i * 3 + 1] == 0 && rgb[i * 3] == 0 && rgb[i * 3 + 2] == 0 ? -1 : rgb[i * 3]);
    return indices;
}

TEST(PaletteImageTest, OddWidthSkipsTheLastLowNibbleAndFlipsTheRows)
{
    const std::vector<unsigned char> palette = Palette();
    // Width 3: two bytes a stored row; 0xF in the unused low nibble.
    const std::vector<unsigned char> pixels = {0x12, 0x3F,   // first stored row: the bottom one
                                               0x45, 0x6F};
    const PaletteImage image{palette.data(), pixels.data(), 3, 2};
    RgbBuffer rgb = DecodePaletteImage(3, 2, &image);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(Indices(rgb, 6), (std::vector<int>{4, 5, 6, 1, 2, 3}));
    EXPECT_EQ(rgb[0], 4);
    EXPECT_EQ(rgb[1], 20);
    EXPECT_EQ(rgb[2], 36);
}

TEST(PaletteImageTest, SizeBeyondThePictureStaysBlackAndReadsNothingMore)
{
    const std::vector<unsigned char> palette = Palette();
    const std::vector<unsigned char> pixels = {0x12, 0x34};  // 2 x 2, exactly sized
    const PaletteImage image{palette.data(), pixels.data(), 2, 2};
    RgbBuffer rgb = DecodePaletteImage(3, 3, &image);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(Indices(rgb, 9), (std::vector<int>{-1, -1, -1, 3, 4, -1, 1, 2, -1}));
}

TEST(PaletteImageTest, MissingPictureOrEmptySizeGivesNull)
{
    TempDir dir;
    dir.Enter();
    const std::vector<unsigned char> palette = Palette();
    const std::vector<unsigned char> pixels = {0x12};
    const PaletteImage image{palette.data(), pixels.data(), 2, 1};
    EXPECT_FALSE(DecodePaletteImage(2, 1, nullptr));
    EXPECT_FALSE(DecodePaletteImage(0, 1, &image));
    EXPECT_EQ(ReadFileBytes("log.txt"), "DecodePaletteImage: no picture\nDecodePaletteImage: size 0 x 1\n");
}

}  // namespace
