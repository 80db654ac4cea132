// The picture functions against the private X server.
#include "tests/images/ImageTestSupport.h"

#include "gui/DrawContext.h"
#include "gui/images/Picture.h"

using namespace imagetest;

namespace {

class PictureTest : public ImageTest {};

TEST_F(PictureTest, ProbeOnTrueColorYieldsBlueGreenRedAndLogsNothing)
{
    VisualLayout = VisualLayoutData();  // as at process start
    VisualLayout.ixRosso = 0;           // the probe must find the indices itself
    VisualLayout.ixBlu = 2;
    ProbeVisualLayout(form);
    EXPECT_EQ(VisualLayout.ixRosso, 2);
    EXPECT_EQ(VisualLayout.ixVerde, 1);
    EXPECT_EQ(VisualLayout.ixBlu, 0);
    EXPECT_EQ(VisualLayout.depth, 24);
    EXPECT_EQ(VisualLayout.bitsPerPixel, 32);
    EXPECT_EQ(VisualLayout.bitmapPad, 32);
    EXPECT_EQ(VisualLayout.format, ZPixmap);
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(PixelAt(Win(), 0, 0), 0xCF3B76u) << "the probe point stays on the window";

    // Once known, the layout is not measured again.
    VisualLayout.ixVerde = 3;
    ProbeVisualLayout(form);
    EXPECT_EQ(VisualLayout.ixVerde, 3);
    VisualLayout.ixVerde = 1;
}

TEST_F(PictureTest, ProbeWithoutAWindowWaitsForOne)
{
    VisualLayout = VisualLayoutData();
    TestForm unmade(0, 0, 10, 10);
    ProbeVisualLayout(&unmade);
    EXPECT_EQ(VisualLayout.depth, 0);
    ProbeVisualLayout(form);
    EXPECT_EQ(VisualLayout.depth, 24);
}

TEST_F(PictureTest, OnePixelBufferBecomesTheBytesBlueGreenRedZero)
{
    const unsigned char rgb[] = {10, 20, 30};
    XImage* image = CreateImageFromRgb(form, rgb, 1, 1, sizeof rgb);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 1);
    EXPECT_EQ(image->height, 1);
    EXPECT_EQ(image->depth, 24);
    EXPECT_EQ(image->bytes_per_line, 4);
    const unsigned char* data = reinterpret_cast<const unsigned char*>(image->data);
    EXPECT_EQ(std::vector<unsigned char>(data, data + 4), (std::vector<unsigned char>{30, 20, 10, 0}));
    EXPECT_EQ(XGetPixel(image, 0, 0), 0x0A141Eu);
    DestroyImage(image);
    EXPECT_EQ(Log(), "");
}

TEST_F(PictureTest, PictureDrawnOnTheWindowShowsItsColours)
{
    std::vector<unsigned char> rgb;
    const std::vector<uint32_t> colours = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x010203};
    for (uint32_t c : colours)
        rgb.insert(rgb.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                               static_cast<unsigned char>(c)});
    XImage* image = CreateImageFromRgb(form, rgb.data(), 3, 2, rgb.size());
    ASSERT_NE(image, nullptr);
    DrawContext(form).PutImageAt(40, 50, image);
    EXPECT_EQ(ReadPixels(Win(), 40, 50, 3, 2), colours);
    DestroyImage(image);
}

TEST_F(PictureTest, ShortBufferLeavesTheRestBlackAndSaysSo)
{
    std::vector<unsigned char> rgb = {1, 2, 3, 4, 5};  // one whole pixel of 2 x 1
    XImage* image = CreateImageFromRgb(form, rgb.data(), 2, 1, rgb.size());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, 0, 0), 0x010203u);
    EXPECT_EQ(XGetPixel(image, 1, 0), 0u);
    DestroyImage(image);
    EXPECT_EQ(Log(), "WARNING CreateImageFromRgb: 5 bytes for 2 x 1 pixels, the rest stays black\n");
}

TEST_F(PictureTest, NullBufferBadSizeOrNoFormGiveNoPicture)
{
    const unsigned char rgb[] = {1, 2, 3};
    EXPECT_EQ(CreateImageFromRgb(form, nullptr, 1, 1, 0), nullptr);
    EXPECT_EQ(Log(), "") << "a null buffer is no fault";
    EXPECT_EQ(CreateImageFromRgb(form, rgb, 0, 1, 3), nullptr);
    EXPECT_EQ(CreateImageFromRgb(form, rgb, 1, -4, 3), nullptr);
    TestForm unmade(0, 0, 10, 10);
    EXPECT_EQ(CreateImageFromRgb(&unmade, rgb, 1, 1, 3), nullptr);
    EXPECT_EQ(Log(), "CreateImageFromRgb: size 0 x 1\nCreateImageFromRgb: size 1 x -4\n"
                     "CreateImageFromRgb: no form window\n");
    DestroyImage(nullptr);
    EXPECT_EQ(FormOf(nullptr), nullptr);
}

TEST_F(PictureTest, PixmapHoldsThePicture)
{
    std::vector<unsigned char> rgb(5 * 4 * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 7);
    XImage* image = CreateImageFromRgb(form, rgb.data(), 5, 4, rgb.size());
    ASSERT_NE(image, nullptr);
    const Pixmap pixmap = ImageToPixmap(form, image);
    ASSERT_NE(pixmap, static_cast<Pixmap>(None));
    XImage* back = XGetImage(Dpy(), pixmap, 0, 0, 5, 4, AllPlanes, ZPixmap);
    ASSERT_NE(back, nullptr);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(XGetPixel(back, x, y) & 0xFFFFFF, XGetPixel(image, x, y)) << x << "," << y;
    XDestroyImage(back);
    XFreePixmap(Dpy(), pixmap);
    EXPECT_EQ(ImageToPixmap(form, nullptr), static_cast<Pixmap>(None));
    DestroyImage(image);
}

}  // namespace
