// Pictures put on a real window: whole, cropped, in parts, transparent,
// captured back, and read from BMP files.
#include "tests/images/ImageTestSupport.h"

#include "gui/DrawContext.h"
#include "gui/images/Picture.h"
#include "tests/images/BmpFiles.h"

#include <cstring>
#include <string>

using namespace imagetest;

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kOld = 0x336699;  // what the window showed before

class PutImageTest : public ImageTest {
protected:
    // A picture whose pixel (x, y) has the colour colourAt(x, y).
    XImage* Picture(int w, int h, const std::function<uint32_t(int, int)>& colourAt)
    {
        std::vector<unsigned char> rgb;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t c = colourAt(x, y);
                rgb.insert(rgb.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                                       static_cast<unsigned char>(c)});
            }
        return CreateImageFromRgb(form, rgb.data(), w, h, rgb.size());
    }
    static std::vector<uint32_t> Expected(int w, int h, const std::function<uint32_t(int, int)>& colourAt)
    {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels.push_back(colourAt(x, y));
        return pixels;
    }
};

uint32_t Gradient(int x, int y)
{
    return static_cast<uint32_t>(0x100000 * (x + 1) + 0x1000 * (y + 1) + 0x11);
}

TEST_F(PutImageTest, SizesCropFromTheTopLeftAndZeroMeansTheOwn)
{
    XImage* image = Picture(4, 4, Gradient);
    ASSERT_NE(image, nullptr);
    DrawContext dc(form);
    dc.PutImage(10, 10, 2, 3, image);
    EXPECT_EQ(ReadPixels(Win(), 10, 10, 3, 4), Expected(3, 4, [](int x, int y) {
                  return x < 2 && y < 3 ? Gradient(x, y) : kBlack;
              }));
    dc.PutImage(30, 10, 0, 0, image);
    EXPECT_EQ(ReadPixels(Win(), 30, 10, 4, 4), Expected(4, 4, Gradient));
    dc.PutImage(50, 10, 100, 100, image);  // cut to the picture, no scaling
    EXPECT_EQ(ReadPixels(Win(), 50, 10, 5, 5), Expected(5, 5, [](int x, int y) {
                  return x < 4 && y < 4 ? Gradient(x, y) : kBlack;
              }));
    dc.PutImagePart(70, 10, 0, 0, image, 2, 1);
    EXPECT_EQ(ReadPixels(Win(), 70, 10, 3, 4), Expected(3, 4, [](int x, int y) {
                  return x < 2 && y < 3 ? Gradient(x + 2, y + 1) : kBlack;
              }));
    DestroyImage(image);
}

TEST_F(PutImageTest, TransparentDrawShowsTheOldPixelWhereThePictureIsBlack)
{
    DrawContext dc(form);
    dc.FillRectangle(0, 0, 101, 101, 0, 0, static_cast<int32_t>(kOld));
    const auto colours = [](int x, int y) { return (x + y) % 2 == 0 ? kBlack : 0xFF0000 + uint32_t(x * 16 + y); };
    XImage* image = Picture(4, 3, colours);
    ASSERT_NE(image, nullptr);
    const std::string before(image->data, static_cast<size_t>(image->bytes_per_line) * 3);
    dc.PutImageTransparent(20, 30, 4, 3, image, 0);
    EXPECT_EQ(ReadPixels(Win(), 20, 30, 4, 3), Expected(4, 3, [&](int x, int y) {
                  return colours(x, y) == kBlack ? kOld : colours(x, y);
              }));
    EXPECT_EQ(std::string(image->data, before.size()), before) << "the caller's picture changed";

    // Size 0 is the picture's own; a drawing partly off the window reads
    // nothing outside it and still draws the visible part.
    XImage* second = Picture(4, 3, colours);
    dc.PutImageTransparent(-2, -1, 0, 0, second, 0);
    EXPECT_EQ(PixelAt(Win(), 0, 0), 0xFF0000u + 2 * 16 + 1);
    EXPECT_EQ(PixelAt(Win(), 1, 0), kOld);
    DestroyImage(second);
    DestroyImage(image);
}

TEST_F(PutImageTest, GridCutOutIsDrawnAloneAndTheSheetStaysUntouched)
{
    // 3 x 2 frames of 16 x 16; frame (c, r) has its own colour and a black
    // hole at its (5, 5).
    const auto sheetColour = [](int x, int y) {
        if (x % 16 == 5 && y % 16 == 5)
            return kBlack;
        return 0x200000u * uint32_t(x / 16 + 1) + 0x2000u * uint32_t(y / 16 + 1) + uint32_t(x % 16);
    };
    XImage* sheet = Picture(48, 32, sheetColour);
    ASSERT_NE(sheet, nullptr);
    const std::vector<char> before(sheet->data, sheet->data + sheet->bytes_per_line * sheet->height);

    DrawContext dc(form);
    dc.FillRectangle(0, 0, 301, 201, 0, 0, static_cast<int32_t>(kOld));
    dc.PutImageRegionTransparent(100, 100, 16, 16, sheet, 32, 16);
    EXPECT_EQ(ReadPixels(Win(), 99, 99, 18, 18), Expected(18, 18, [&](int x, int y) {
                  const int fx = x - 1, fy = y - 1;
                  if (fx < 0 || fy < 0 || fx >= 16 || fy >= 16)
                      return kOld;
                  const uint32_t c = sheetColour(32 + fx, 16 + fy);
                  return c == kBlack ? kOld : c;
              }));
    EXPECT_EQ(std::vector<char>(sheet->data, sheet->data + sheet->bytes_per_line * sheet->height), before);

    dc.PutImagePart(150, 100, 16, 16, sheet, 32, 16);
    EXPECT_EQ(ReadPixels(Win(), 150, 100, 16, 16),
              Expected(16, 16, [&](int x, int y) { return sheetColour(32 + x, 16 + y); }));
    EXPECT_EQ(PixelAt(Win(), 155, 105), kBlack) << "an opaque part keeps its black";
    DestroyImage(sheet);
}

TEST_F(PutImageTest, CaptureReadsTheWindowAndBlackOutsideIt)
{
    DrawContext dc(form);
    XImage* image = Picture(6, 5, Gradient);
    dc.PutImageAt(0, 0, image);
    DestroyImage(image);

    XImage* captured = dc.CaptureImage(0, 0, 6, 5);
    ASSERT_NE(captured, nullptr);
    EXPECT_EQ(captured->depth, 24);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(XGetPixel(captured, x, y), Gradient(x, y)) << x << "," << y;
    DestroyImage(captured);

    XImage* edge = dc.CaptureImage(-3, -2, 6, 5);
    ASSERT_NE(edge, nullptr);
    EXPECT_EQ(XGetPixel(edge, 0, 0), kBlack);
    EXPECT_EQ(XGetPixel(edge, 3, 2), Gradient(0, 0));
    EXPECT_EQ(XGetPixel(edge, 5, 4), Gradient(2, 2));
    DestroyImage(edge);

    XImage* beyond = dc.CaptureImage(310, 230, 40, 40);  // the window is 320 x 240
    ASSERT_NE(beyond, nullptr);
    EXPECT_EQ(beyond->width, 40);
    DestroyImage(beyond);
    EXPECT_EQ(dc.CaptureImage(0, 0, 0, 5), nullptr);
}

TEST_F(PutImageTest, CaptureOfAnUnmappedWindowIsBlackNotAnError)
{
    DrawContext dc(form);
    dc.FillRectangle(0, 0, 11, 11, 0, 0, 0xFFFFFF);
    form->Hide();
    XSync(Dpy(), False);
    XImage* captured = dc.CaptureImage(0, 0, 4, 4);
    ASSERT_NE(captured, nullptr);
    EXPECT_EQ(XGetPixel(captured, 1, 1), kBlack);
    DestroyImage(captured);
    EXPECT_EQ(dc.GetPixel(1, 1), 0u);
}

TEST_F(PutImageTest, BmpFilesOfEachDepthAreDrawnAtMostTheirOwnSize)
{
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    const auto index = [](int32_t x, int32_t y) { return uint32_t((x + 2 * y) % 4); };
    folder.Write("p24.bmp", BuildBmp(24, 5, 3, {}, [](int32_t x, int32_t y) { return Gradient(x, y); }));
    folder.Write("p8.bmp", BuildBmp(8, 5, 3, palette, index));
    folder.Write("p4.bmp", BuildBmp(4, 5, 3, palette, index));
    const auto paletteColour = [&](int x, int y) { return palette[index(x, y)]; };

    DrawContext dc(form);
    dc.DrawImageFile(10, 10, 100, 100, 24, "p24.bmp");  // larger than the file: its own size
    EXPECT_EQ(ReadPixels(Win(), 10, 10, 6, 4), Expected(6, 4, [](int x, int y) {
                  return x < 5 && y < 3 ? Gradient(x, y) : kBlack;
              }));
    dc.DrawImageFile(30, 10, 0, 0, 8, "p8.bmp");
    EXPECT_EQ(ReadPixels(Win(), 30, 10, 5, 3), Expected(5, 3, paletteColour));
    dc.DrawImageFile(50, 10, 3, 2, 4, "p4.bmp");
    EXPECT_EQ(ReadPixels(Win(), 50, 10, 5, 3), Expected(5, 3, [&](int x, int y) {
                  return x < 3 && y < 2 ? paletteColour(x, y) : kBlack;
              }));
    EXPECT_FALSE(ReadFileBytes("p4.bmp.c").empty()) << "the 4-bit reader exports as always";

    dc.FillRectangle(70, 10, 11, 11, 0, 0, static_cast<int32_t>(kOld));
    dc.DrawImageFileTransparent(70, 10, 0, 0, 8, "p8.bmp");
    EXPECT_EQ(ReadPixels(Win(), 70, 10, 5, 3), Expected(5, 3, [&](int x, int y) {
                  return paletteColour(x, y) == kBlack ? kOld : paletteColour(x, y);
              }));
}

TEST_F(PutImageTest, OtherDepthsMissingOrBrokenFilesDrawNothing)
{
    folder.Write("p24.bmp", BuildBmp(24, 5, 3, {}, [](int32_t x, int32_t y) { return Gradient(x, y); }));
    folder.Write("bad.bmp", "BM but nothing else");
    DrawContext dc(form);
    dc.DrawImageFile(10, 10, 0, 0, 16, "p24.bmp");
    dc.DrawImageFile(10, 10, 0, 0, 24, "missing.bmp");
    dc.DrawImageFileTransparent(10, 10, 0, 0, 24, "bad.bmp");
    EXPECT_EQ(ReadPixels(Win(), 10, 10, 5, 3), std::vector<uint32_t>(15, kBlack));
    EXPECT_EQ(Log(), "ReadBmp24: bad.bmp: shorter than the 54-byte header (19 bytes)\n");
}

}  // namespace
