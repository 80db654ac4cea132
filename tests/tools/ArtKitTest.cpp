// The drawing kit under the art: clipping canvas shapes, the outline pass,
// the pixel font, the seeded generator and the contact sheet.
#include "tests/common/TempDir.h"
#include "tools/artgen/Canvas.h"
#include "tools/artgen/ContactSheet.h"
#include "tools/artgen/PixelFont.h"
#include "tools/artgen/Rng.h"

#include <gtest/gtest.h>

#include <string>

using artgen::Canvas;
using artgen::Hex;
using artgen::Rgb;

namespace {

int CountSet(const Canvas& c) {
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) n += !c.Get(x, y).IsBlack();
    return n;
}

}  // namespace

TEST(Canvas, ShapesPartlyOutsideAreClippedToTheCanvas) {
    Canvas c(10, 8);
    c.FillRect(-5, -5, 8, 8, Hex(0x112233));   // covers (0..2, 0..2)
    EXPECT_EQ(CountSet(c), 9);
    c.FillEllipse(12, 4, 5, 3, Hex(0x445566));  // mostly off the right edge
    c.FillPolygon({{-20, 7}, {30, 7}, {30, 20}}, Hex(0x778899));
    c.Line(-10, -10, 40, 40, Hex(0xaabbcc), 3);
    c.Set(-1, 0, Hex(0xffffff));
    c.Set(10, 0, Hex(0xffffff));
    EXPECT_TRUE(c.Get(-1, 0).IsBlack());
    EXPECT_TRUE(c.Get(9, 4) == Hex(0x445566) || c.Get(9, 4) == Hex(0xaabbcc));
    EXPECT_EQ(c.Bytes().size(), 10u * 8 * 3);
}

TEST(Canvas, OutlineRingsContentWithoutTouchingIt) {
    Canvas c(7, 7);
    c.Set(3, 3, Hex(0xff0000));
    c.Outline(Hex(0x101010));
    EXPECT_TRUE(c.Get(3, 3) == Hex(0xff0000));
    EXPECT_TRUE(c.Get(2, 3) == Hex(0x101010) && c.Get(4, 3) == Hex(0x101010));
    EXPECT_TRUE(c.Get(3, 2) == Hex(0x101010) && c.Get(3, 4) == Hex(0x101010));
    EXPECT_TRUE(c.Get(2, 2).IsBlack());  // diagonal neighbours stay transparent
    EXPECT_EQ(CountSet(c), 5);
}

TEST(Canvas, FillEnclosedClosesHolesButNotTheOutside) {
    Canvas c(7, 7);
    c.FillRect(1, 1, 5, 5, Hex(0x336699));
    c.Set(3, 3, artgen::kTransparent);       // a hole in the middle
    c.FillRect(5, 2, 2, 1, artgen::kTransparent);  // a notch open to the border
    c.FillEnclosed(Hex(0x102030));
    EXPECT_TRUE(c.Get(3, 3) == Hex(0x102030));
    EXPECT_TRUE(c.Get(5, 2).IsBlack());
    EXPECT_TRUE(c.Get(0, 0).IsBlack());
    EXPECT_TRUE(c.Get(2, 2) == Hex(0x336699));
}

TEST(Canvas, ShadingNeverTurnsAColourTransparent) {
    EXPECT_FALSE(artgen::Shade(Hex(0x010203), 0.01).IsBlack());
    EXPECT_TRUE(artgen::Shade(Hex(0x000000), 2.0).IsBlack());
    EXPECT_TRUE(artgen::Shade(Hex(0x808080), 3.0) == Hex(0xffffff));
}

TEST(Canvas, BlitMirrorReduceAndEnlarge) {
    Canvas c(4, 2);
    c.Set(0, 0, Hex(0x0000ff));
    c.Set(1, 1, Hex(0x00ff00));
    const Canvas m = c.Mirrored();
    EXPECT_TRUE(m.Get(3, 0) == Hex(0x0000ff));
    EXPECT_TRUE(m.Get(2, 1) == Hex(0x00ff00));
    Canvas target(4, 2, Hex(0x808080));
    target.Blit(c, 0, 0, true);
    EXPECT_TRUE(target.Get(3, 1) == Hex(0x808080));  // black source left the target alone
    EXPECT_TRUE(target.Get(0, 0) == Hex(0x0000ff));
    const Canvas small = target.Reduced(2);
    EXPECT_EQ(small.Width(), 2);
    EXPECT_TRUE(small.Get(1, 0) == Hex(0x808080));
    EXPECT_TRUE(small.Get(0, 0) == (Rgb{0x40, 0x7f, 0x7f}));  // mean of blue, green and two greys
    const Canvas big = c.Enlarged(3);
    EXPECT_EQ(big.Width(), 12);
    EXPECT_TRUE(big.Get(5, 5) == Hex(0x00ff00));
}

TEST(PixelFont, CoversEveryCaptionAndDrawsCapitalsForSmallLetters) {
    for (const std::string text : {"BRUVO STAGE KRODEL", "OUCH! TRY AGAIN", "LEVEL COMPLETE!", "GAME OVER",
                                   "THANKS FOR PLAYING", "L O A D I N G . . .", "[G] 0123456789 -:/(),'_=;?"})
        for (char ch : text) EXPECT_TRUE(artgen::HasGlyph(ch)) << "'" << ch << "'";
    for (int row = 0; row < artgen::kGlyphHeight; ++row)
        for (int col = 0; col < artgen::kGlyphWidth; ++col)
            EXPECT_EQ(artgen::GlyphPixel('g', col, row), artgen::GlyphPixel('G', col, row));
    EXPECT_FALSE(artgen::GlyphPixel('A', 5, 0));
    EXPECT_FALSE(artgen::GlyphPixel('A', 0, -1));
    // A character without a glyph is drawn as '?' rather than vanishing.
    EXPECT_FALSE(artgen::HasGlyph('@'));
    EXPECT_EQ(artgen::GlyphPixel('@', 1, 0), artgen::GlyphPixel('?', 1, 0));
}

TEST(PixelFont, TextWidthAndDrawingAgree) {
    EXPECT_EQ(artgen::TextWidth("", 3), 0);
    EXPECT_EQ(artgen::TextWidth("I", 1), 5);
    EXPECT_EQ(artgen::TextWidth("AB", 2), 22);
    Canvas c(40, 20);
    artgen::DrawText(c, 1, 1, "L", 2, Hex(0xffffff));
    // "L": a 7-pixel stem and a 5-pixel foot sharing a corner, each pixel 2 x 2.
    EXPECT_EQ(CountSet(c), (7 + 4) * 4);
    EXPECT_TRUE(c.Get(1, 1) == Hex(0xffffff));
    EXPECT_TRUE(c.Get(10, 13) == Hex(0xffffff));
    EXPECT_TRUE(c.Get(3, 1).IsBlack());
}

TEST(Rng, SameSeedSameSequenceAndRangesHold) {
    artgen::Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const uint64_t va = a.Next();
        EXPECT_EQ(va, b.Next());
        differs = differs || va != c.Next();
    }
    EXPECT_TRUE(differs);
    artgen::Rng r(7);
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const int v = r.Range(-2, 3);
        ASSERT_GE(v, -2);
        ASSERT_LE(v, 3);
        sawLow = sawLow || v == -2;
        sawHigh = sawHigh || v == 3;
        const double u = r.Unit();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_EQ(artgen::Hash(3, 4, 5), artgen::Hash(3, 4, 5));
    EXPECT_NE(artgen::Hash(3, 4, 5), artgen::Hash(4, 3, 5));
}

TEST(ContactSheet, ShowsEverythingInOnePpm) {
    const Canvas sheet = artgen::DrawContactSheet();
    EXPECT_EQ(sheet.Width(), 1648);
    // Thumbnails, 54 enlarged frames and two 1:1 mock-ups need this much room.
    EXPECT_GT(sheet.Height(), 640 * 2 + 600);
    TempDir dir;
    ASSERT_TRUE(artgen::WritePpm(dir.File("sheet.ppm"), sheet));
    const std::string ppm = ReadFileBytes(dir.File("sheet.ppm"));
    const std::string header = "P6\n1648 " + std::to_string(sheet.Height()) + "\n255\n";
    ASSERT_EQ(ppm.substr(0, header.size()), header);
    EXPECT_EQ(ppm.size(), header.size() + sheet.Bytes().size());
    EXPECT_FALSE(artgen::WritePpm(dir.File("missing/sheet.ppm"), sheet));
}
