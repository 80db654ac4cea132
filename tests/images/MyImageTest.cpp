// The MyImage control painting into a real window.
#include "tests/images/ImageTestSupport.h"

#include "gui/DrawContext.h"
#include "gui/images/MyImage.h"
#include "gui/images/PaletteImage.h"
#include "gui/images/Picture.h"

using namespace imagetest;

namespace {

constexpr uint32_t kGrey = 0xAAAAAA;

class MyImageTest : public ImageTest {
protected:
    XImage* Solid(int w, int h, uint32_t colour)
    {
        std::vector<unsigned char> rgb;
        for (int i = 0; i < w * h; ++i)
            rgb.insert(rgb.end(), {static_cast<unsigned char>(colour >> 16), static_cast<unsigned char>(colour >> 8),
                                   static_cast<unsigned char>(colour)});
        return CreateImageFromRgb(form, rgb.data(), w, h, rgb.size());
    }
    static size_t Count(const std::vector<uint32_t>& pixels, uint32_t colour)
    {
        return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
    }
};

// Four colours in two stored rows: bottom row 1 2 3 1, top row 4 4 5 5.
const unsigned char kPalette[kPaletteBytes] = {0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0x80, 0x80, 0x80};
const unsigned char kPixels[] = {0x12, 0x31, 0x44, 0x55};
const PaletteImage kSource{kPalette, kPixels, 4, 2};

TEST_F(MyImageTest, ZeroSizeDrawsThePictureAtItsOwnSize)
{
    XImage* picture = Solid(6, 4, 0x00FF00);
    MyImage image(form, picture);
    EXPECT_EQ(image.GetType(), "image");
    EXPECT_FALSE(image.IsTabStop());
    EXPECT_TRUE(image.IsRepaintedWithContainer());
    EXPECT_EQ(image.GetWidth(), 100) << "size left at the control defaults";
    image.SetSize(0, 0);
    image.SetPosition(10, 20);
    image.Show();
    EXPECT_TRUE(image.IsCreated());
    EXPECT_TRUE(image.IsVisible());
    EXPECT_NE(image.GetId(), 0u);
    EXPECT_EQ(image.GetUserDataRef(), image.GetId());
    const std::vector<uint32_t> box = ReadPixels(Win(), 10, 20, 7, 5);
    EXPECT_EQ(Count(box, 0x00FF00), 24u);
    EXPECT_EQ(PixelAt(Win(), 16, 20), 0u);
    DestroyImage(picture);  // the caller's: the control never frees it
}

TEST_F(MyImageTest, WithoutPictureItPaintsTheFirstColourFound)
{
    TestForm grey(400, 20, 100, 100, -1);
    grey.Create();
    KeepContents(grey.GetWindow());
    DrawContext(&grey).FillRectangle(0, 0, 101, 101, 0, 0, 0xFFFFFF);
    MyImage none(&grey, nullptr);
    none.SetSize(20, 10);
    none.SetPosition(5, 5);
    none.Show();
    const std::vector<uint32_t> box = ReadPixels(grey.GetWindow(), 5, 5, 20, 10);
    EXPECT_EQ(Count(box, kGrey), 19u * 9u) << "(width - 1) x (height - 1) in 0xAAAAAA";

    grey.SetBackColor(0x000080);
    none.Paint();
    EXPECT_EQ(PixelAt(grey.GetWindow(), 10, 10), 0x000080u) << "the form's colour";
}

TEST_F(MyImageTest, PaletteSourceIsConvertedOnFirstPaintAndFlipped)
{
    MyImage image(form, &kSource, 4, 2);
    EXPECT_EQ(image.GetImage(), nullptr);
    image.SetPosition(30, 30);
    image.Show();
    ASSERT_NE(image.GetImage(), nullptr);
    EXPECT_EQ(ReadPixels(Win(), 30, 30, 4, 2),
              (std::vector<uint32_t>{0xFFFF00, 0xFFFF00, 0x808080, 0x808080, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000}));

    // A new source replaces (and frees) the converted picture.
    const unsigned char others[] = {0x55, 0x55, 0x55, 0x55};
    const PaletteImage grey{kPalette, others, 4, 2};
    image.SetPaletteImage(&grey);
    EXPECT_EQ(ReadPixels(Win(), 30, 30, 4, 2), std::vector<uint32_t>(8, 0x808080));

    // A picture set afterwards stays the caller's.
    XImage* picture = Solid(4, 2, 0x0000FF);
    image.SetImage(picture);
    EXPECT_EQ(ReadPixels(Win(), 30, 30, 4, 2), std::vector<uint32_t>(8, 0x0000FF));
    EXPECT_EQ(image.GetImage(), picture);
    image.SetPaletteImage(&kSource);
    EXPECT_EQ(PixelAt(Win(), 30, 31), 0xFF0000u);
    DestroyImage(picture);
}

TEST_F(MyImageTest, ASourceThatCannotBeConvertedIsLoggedOnce)
{
    MyImage image(form, &kSource, 0, 0);
    image.SetPosition(30, 30);
    image.Show();
    image.Paint();
    image.Paint();
    EXPECT_EQ(image.GetImage(), nullptr);
    EXPECT_EQ(Log(), "DecodePaletteImage: size 0 x 0\n");
    // Given a size, it is converted.
    image.SetSize(4, 2);
    ASSERT_NE(image.GetImage(), nullptr);
    EXPECT_EQ(PixelAt(Win(), 30, 31), 0xFF0000u);
    EXPECT_EQ(Log(), "DecodePaletteImage: size 0 x 0\n");
}

TEST_F(MyImageTest, BorderIsDarkTopLeftAndLightBottomRight)
{
    XImage* picture = Solid(10, 8, 0x00FF00);
    MyImage image(form, picture);
    image.SetSize(10, 8);
    image.SetPosition(40, 40);
    image.Show();
    image.SetBorder(true);
    EXPECT_TRUE(image.HasBorder());
    EXPECT_EQ(PixelAt(Win(), 44, 40), 0x000000u);
    EXPECT_EQ(PixelAt(Win(), 40, 44), 0x000000u);
    EXPECT_EQ(PixelAt(Win(), 49, 44), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(Win(), 44, 47), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(Win(), 44, 44), 0x00FF00u);
    DestroyImage(picture);
}

TEST_F(MyImageTest, HideAndMovePaintTheBackgroundOverTheOldPlace)
{
    form->SetBackColor(0x400000);
    XImage* picture = Solid(10, 10, 0x00FF00);
    MyImage image(form, picture);
    image.SetSize(10, 10);
    image.SetPosition(60, 60);
    image.Show();
    image.SetPosition(100, 60);
    EXPECT_TRUE(image.IsCreated());
    EXPECT_EQ(Count(ReadPixels(Win(), 60, 60, 10, 10), 0x400000), 100u);
    EXPECT_EQ(Count(ReadPixels(Win(), 100, 60, 10, 10), 0x00FF00), 100u);

    image.Hide();
    EXPECT_FALSE(image.IsCreated());
    EXPECT_FALSE(image.IsVisible());
    EXPECT_EQ(Count(ReadPixels(Win(), 100, 60, 10, 10), 0x400000), 100u);
    image.Paint();
    EXPECT_EQ(Count(ReadPixels(Win(), 100, 60, 10, 10), 0x400000), 100u) << "no paint once hidden";
    DestroyImage(picture);
}

TEST_F(MyImageTest, NothingIsPaintedWhileAFormLoads)
{
    XImage* picture = Solid(5, 5, 0x00FF00);
    MyImage image(form, picture);
    image.SetSize(5, 5);
    image.SetPosition(10, 10);
    FormLoading = true;
    image.Show();
    FormLoading = false;
    EXPECT_TRUE(image.IsCreated());
    EXPECT_EQ(PixelAt(Win(), 12, 12), 0u);
    image.Paint();
    EXPECT_EQ(PixelAt(Win(), 12, 12), 0x00FF00u);
    DestroyImage(picture);
}

}  // namespace
