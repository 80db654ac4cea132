// Picture frames on a real window: grid cut-outs, arrays, compiled-in
// sources, transparency over the form's colour, and frames that do not exist.
#include "tests/images/ImageTestSupport.h"

#include "gui/DrawContext.h"
#include "gui/images/ImageFrame.h"
#include "gui/images/PaletteImage.h"
#include "gui/images/Picture.h"
#include "support/Packing.h"

#include <functional>
#include <memory>

using namespace imagetest;

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kFormColour = 0x336699;

// Frame (c, r) of the 3 x 2 sheet of 16 x 16 frames has its own colour and a
// black hole at its (5, 5).
uint32_t SheetColour(int x, int y)
{
    if (x % 16 == 5 && y % 16 == 5)
        return kBlack;
    return 0x200000u * uint32_t(x / 16 + 1) + 0x2000u * uint32_t(y / 16 + 1) + uint32_t(x % 16);
}

class ImageFrameTest : public ImageTest {
protected:
    void SetUp() override
    {
        ImageTest::SetUp();
        form->SetBackColor(kFormColour);
        DrawContext(form).FillRectangle(0, 0, 321, 241, 0, 0, static_cast<int32_t>(kFormColour));
    }
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
    static std::vector<char> Bytes(const XImage* image)
    {
        return std::vector<char>(image->data, image->data + image->bytes_per_line * image->height);
    }
    // The frame's 16 x 16 at (40, 30) against colourAt of the frame's pixel.
    void ExpectFrame(const std::function<uint32_t(int, int)>& colourAt)
    {
        const std::vector<uint32_t> seen = ReadPixels(Win(), 40, 30, 16, 16);
        ASSERT_EQ(seen.size(), 256u);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(seen[static_cast<size_t>(y * 16 + x)], colourAt(x, y)) << x << "," << y;
    }
    std::unique_ptr<ImageFrame> Place(ImageFrame* frame)
    {
        frame->SetPosition(40, 30);
        frame->SetSize(16, 16);
        return std::unique_ptr<ImageFrame>(frame);
    }
};

TEST_F(ImageFrameTest, ASheetShowsTheCutOutOfItsColumnAndRow)
{
    XImage* sheet = Picture(48, 32, SheetColour);
    const std::vector<char> before = Bytes(sheet);
    auto frame = Place(new ImageFrame(form, sheet, 2, 1));
    frame->Show();
    ExpectFrame([](int x, int y) { return SheetColour(32 + x, 16 + y); });
    EXPECT_EQ(PixelAt(Win(), 45, 35), kBlack) << "opaque: the hole stays black";

    frame->SetTransparent(true);
    ExpectFrame([](int x, int y) {
        const uint32_t c = SheetColour(32 + x, 16 + y);
        return c == kBlack ? kFormColour : c;
    });

    frame->SetFrame(0, 0);
    EXPECT_EQ(PixelAt(Win(), 40, 30), SheetColour(0, 0));
    EXPECT_EQ(Bytes(sheet), before);
    frame.reset();
    DestroyImage(sheet);
}

TEST_F(ImageFrameTest, ATransparentArrayFrameLeavesTheCallersPicturesUnchanged)
{
    XImage* pictures[2] = {Picture(16, 16, [](int x, int) { return x < 8 ? 0xFF0000u : kBlack; }),
                           Picture(16, 16, [](int, int y) { return y < 8 ? kBlack : 0x00FF00u; })};
    const std::vector<char> first = Bytes(pictures[0]), second = Bytes(pictures[1]);
    auto frame = Place(new ImageFrame(form, pictures, 2, 0, 0));
    frame->SetTransparent(true);
    frame->Show();
    ExpectFrame([](int x, int) { return x < 8 ? 0xFF0000u : kFormColour; });
    frame->SetFrame(1, 0);
    ExpectFrame([](int, int y) { return y < 8 ? kFormColour : 0x00FF00u; });
    frame->SetFrame(0, 0);
    ExpectFrame([](int x, int) { return x < 8 ? 0xFF0000u : kFormColour; });
    EXPECT_EQ(Bytes(pictures[0]), first);
    EXPECT_EQ(Bytes(pictures[1]), second);
    frame.reset();
    DestroyImage(pictures[0]);
    DestroyImage(pictures[1]);
}

TEST_F(ImageFrameTest, TheCallersArrayIsReadAtEveryPaint)
{
    XImage* pictures[2] = {Picture(16, 16, [](int, int) { return 0xFF0000u; }),
                           Picture(16, 16, [](int, int) { return 0x00FF00u; })};
    auto frame = Place(new ImageFrame(form, pictures, 2, 0, 0));
    frame->Show();
    ExpectFrame([](int, int) { return 0xFF0000u; });
    // The caller replaces the picture on show and frees the old one.
    XImage* replaced = pictures[0];
    pictures[0] = Picture(16, 16, [](int, int) { return 0x0000FFu; });
    DestroyImage(replaced);
    frame->Paint();
    ExpectFrame([](int, int) { return 0x0000FFu; });
    // An entry emptied shows nothing: what was there stays.
    XImage* emptied = pictures[0];
    pictures[0] = nullptr;
    DestroyImage(emptied);
    frame->Paint();
    ExpectFrame([](int, int) { return 0x0000FFu; });
    frame.reset();
    DestroyImage(pictures[1]);
}

TEST_F(ImageFrameTest, CompiledInSourcesBecomeFramesOfTheControlsSize)
{
    // 16 colours: 0 black, 1 yellow; 2 x 2 pixels, rows bottom first.
    unsigned char palette[kPaletteBytes] = {0, 0, 0, 0xFF, 0xFF, 0};
    static const unsigned char topYellow[] = {0x00, 0x11};
    static const unsigned char allYellow[] = {0x11, 0x11};
    const PaletteImage records[2] = {{palette, topYellow, 2, 2}, {palette, allYellow, 2, 2}};
    const PaletteImage* sources[2] = {&records[0], &records[1]};
    auto frame = Place(new ImageFrame(form, sources, 2, 1, 0));
    frame->SetSize(2, 2);
    frame->Show();
    EXPECT_EQ(ReadPixels(Win(), 40, 30, 2, 2), (std::vector<uint32_t>(4, 0xFFFF00u)));
    frame->SetTransparent(true);
    frame->SetFrame(0, 0);
    EXPECT_EQ(ReadPixels(Win(), 40, 30, 2, 2), (std::vector<uint32_t>{0xFFFF00u, 0xFFFF00u, kFormColour, kFormColour}));
}

TEST_F(ImageFrameTest, AFrameOutsideThePicturesIsRefusedWithALogLine)
{
    XImage* sheet = Picture(48, 32, SheetColour);
    auto frame = Place(new ImageFrame(form, sheet, 1, 1));
    frame->Show();
    frame->SetFrame(3, 0);
    frame->SetFrame(0, 2);
    frame->SetFrame(-1, 0);
    frame->SetFrame(INT32_MAX, INT32_MAX);
    EXPECT_EQ(frame->GetFrame(), PackPoint(1, 1));
    EXPECT_NE(Log().find("ImageFrame: no frame at column 3 row 0"), std::string::npos) << Log();

    // Grown past what the sheet holds, its frame is asked for on every paint: logged once.
    frame->SetSize(200, 200);
    frame->Paint();
    frame->Paint();
    const std::string line = "ImageFrame: no frame at column 1 row 1";
    const size_t first = Log().find(line);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(Log().find(line, first + 1), std::string::npos) << Log();

    XImage* pictures[2] = {sheet, sheet};
    auto beyond = Place(new ImageFrame(form, pictures, 2, 1, 1));
    beyond->SetPosition(100, 100);
    beyond->Show();  // index 2 of two pictures: nothing drawn
    EXPECT_EQ(PixelAt(Win(), 100, 100), kFormColour);
    EXPECT_NE(Log().find("ImageFrame: no frame at column 1 row 1"), std::string::npos);
    beyond.reset();
    frame.reset();
    DestroyImage(sheet);
}

}  // namespace
