// The drawing context's primitives and text, read back from a real window.
#include "tests/images/ImageTestSupport.h"

#include "gui/DrawContext.h"
#include "gui/FontDescription.h"

#include <algorithm>
#include <cstdlib>

using namespace imagetest;

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

class DrawContextTest : public ImageTest {
protected:
    XFontStruct* Font() { return FormList.front()->GetFont().GetFontStructOrDefault(Dpy()); }
    int TextWidth(const std::string& text)
    {
        return XTextWidth(Font(), text.data(), static_cast<int>(text.size()));
    }
    int TextLineHeight() { return Font()->ascent <= 15 ? 15 : Font()->ascent + 1; }
    // The text as plain Xlib draws it: the reference the context must match.
    void Reference(int x, int baseline, const std::string& text)
    {
        GC gc = XCreateGC(Dpy(), Win(), 0, nullptr);
        XSetForeground(Dpy(), gc, kWhite);
        XSetFont(Dpy(), gc, Font()->fid);
        XDrawString(Dpy(), Win(), gc, x, baseline, text.data(), static_cast<int>(text.size()));
        XFreeGC(Dpy(), gc);
    }
    std::vector<uint32_t> Box(int x, int y, int w, int h) { return ReadPixels(Win(), x, y, w, h); }
    static size_t Count(const std::vector<uint32_t>& pixels, uint32_t colour)
    {
        return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
    }
    // Columns of the box holding any pixel of the colour: first and last.
    static std::pair<int, int> InkColumns(const std::vector<uint32_t>& pixels, int w, uint32_t colour)
    {
        int first = w, last = -1;
        for (size_t i = 0; i < pixels.size(); ++i)
            if (pixels[i] == colour) {
                first = std::min(first, static_cast<int>(i % w));
                last = std::max(last, static_cast<int>(i % w));
            }
        return {first, last};
    }
};

TEST_F(DrawContextTest, FillAndOutlineCoverTheirExactExtents)
{
    DrawContext dc(form);
    ASSERT_TRUE(dc.IsValid());
    dc.FillRectangle(10, 10, 20, 5, 0, 0, 0xFF0000);
    const std::vector<uint32_t> fill = Box(9, 9, 22, 7);
    for (int y = 9; y < 16; ++y)
        for (int x = 9; x < 31; ++x) {
            const bool inside = x >= 10 && x <= 28 && y >= 10 && y <= 13;
            EXPECT_EQ(fill[(y - 9) * 22 + (x - 9)], inside ? 0xFF0000u : kBlack) << x << "," << y;
        }

    dc.DrawRectangle(50, 10, 20, 5, 1, 0x00FF00);
    const std::vector<uint32_t> outline = Box(49, 9, 22, 7);
    for (int y = 9; y < 16; ++y)
        for (int x = 49; x < 71; ++x) {
            const bool inside = x >= 50 && x <= 69 && y >= 10 && y <= 14;
            const bool edge = inside && (x == 50 || x == 69 || y == 10 || y == 14);
            EXPECT_EQ(outline[(y - 9) * 22 + (x - 49)], edge ? 0x00FF00u : kBlack) << x << "," << y;
        }
}

TEST_F(DrawContextTest, BorderOfAFilledRectangleSpansTheFill)
{
    DrawContext dc(form);
    dc.FillRectangle(10, 30, 10, 10, 1, 0x0000FF, 0xFF0000);
    EXPECT_EQ(PixelAt(Win(), 10, 30), 0x0000FFu);
    EXPECT_EQ(PixelAt(Win(), 18, 38), 0x0000FFu) << "border covers (width - 1) x (height - 1)";
    EXPECT_EQ(PixelAt(Win(), 14, 34), 0xFF0000u);
    EXPECT_EQ(PixelAt(Win(), 19, 34), kBlack);
    EXPECT_EQ(PixelAt(Win(), 14, 39), kBlack);
}

TEST_F(DrawContextTest, ThickOutlineIsForOneCallOnly)
{
    DrawContext dc(form);
    dc.DrawRectangle(20, 20, 30, 30, 5, kWhite);
    EXPECT_EQ(PixelAt(Win(), 20, 35), kWhite);
    EXPECT_EQ(PixelAt(Win(), 21, 35), kWhite) << "a 5-pixel line is wider than one";
    dc.DrawLine(100, 100, 140, 100, 0, kWhite);
    EXPECT_EQ(PixelAt(Win(), 120, 100), kWhite);
    EXPECT_EQ(PixelAt(Win(), 120, 101), kBlack) << "the width went back to 1";
    EXPECT_EQ(PixelAt(Win(), 120, 99), kBlack);
}

TEST_F(DrawContextTest, EmptyRectanglesDrawNothing)
{
    DrawContext dc(form);
    dc.FillRectangle(0, 0, 0, 0, 0, 0, kWhite);  // width - 1 must not wrap round to 65535
    dc.FillRectangle(0, 0, 1, 50, 0, 0, kWhite);
    dc.DrawRectangle(0, 0, 0, -3, 1, kWhite);
    EXPECT_EQ(Count(Box(0, 0, 320, 240), kWhite), 0u);
}

TEST_F(DrawContextTest, MinusOneDrawsInThePreviousColour)
{
    DrawContext dc(form);
    dc.DrawPoint(5, 5, 0x123456);
    dc.DrawLine(10, 60, 30, 60, 0, -1);
    EXPECT_EQ(PixelAt(Win(), 20, 60), 0x123456u);
    dc.FillRectangle(40, 60, 10, 10, 0, 0, 0x00FF00);
    dc.FillRectangle(60, 60, 10, 10, 0, 0, -1);
    EXPECT_EQ(PixelAt(Win(), 65, 65), 0x00FF00u);
    dc.FillEllipse(80, 60, 10, 10, 0, 0, -1);
    EXPECT_EQ(PixelAt(Win(), 85, 65), 0x00FF00u);
}

TEST_F(DrawContextTest, DashedLinesLeaveGapsAndSolidComesBack)
{
    DrawContext dc(form);
    dc.DrawLine(10, 80, 89, 80, 1, kWhite);
    const size_t dashed = Count(Box(10, 80, 80, 1), kWhite);
    EXPECT_GT(dashed, 20u);
    EXPECT_LT(dashed, 60u);
    dc.DrawLine(10, 90, 89, 90, 2, 0xFF0000);
    const std::vector<uint32_t> doubled = Box(10, 90, 80, 1);
    EXPECT_GT(Count(doubled, 0xFF0000), 20u);
    EXPECT_LT(Count(doubled, 0xFF0000), 60u);
    dc.DrawLine(10, 100, 89, 100, 0, kWhite);
    EXPECT_EQ(Count(Box(10, 100, 80, 1), kWhite), 80u);
}

TEST_F(DrawContextTest, PolygonEllipseAndLinesLandWhereAsked)
{
    DrawContext dc(form);
    const XPoint triangle[] = {{100, 10}, {140, 10}, {100, 50}};
    dc.FillPolygon(triangle, 3, 1, 0x0000FF, 0xFF0000);
    EXPECT_EQ(PixelAt(Win(), 105, 15), 0xFF0000u);
    EXPECT_EQ(PixelAt(Win(), 138, 48), kBlack);
    EXPECT_EQ(PixelAt(Win(), 120, 10), 0x0000FFu) << "outline through the points";
    EXPECT_EQ(PixelAt(Win(), 120, 30), 0x0000FFu);

    dc.FillEllipse(200, 10, 40, 20, 1, kWhite, 0x00FF00);
    EXPECT_EQ(PixelAt(Win(), 220, 20), 0x00FF00u);
    EXPECT_EQ(PixelAt(Win(), 201, 11), kBlack) << "corner of the box";
    EXPECT_EQ(PixelAt(Win(), 200, 20), kWhite) << "outline at the left extreme";

    const XPoint path[] = {{10, 200}, {50, 200}, {50, 230}};
    dc.DrawLines(path, 3, kWhite);
    EXPECT_EQ(PixelAt(Win(), 30, 200), kWhite);
    EXPECT_EQ(PixelAt(Win(), 50, 215), kWhite);
    dc.DrawEllipse(100, 150, 20, 20, 3, kWhite);
    EXPECT_EQ(PixelAt(Win(), 110, 150), kWhite);
    EXPECT_EQ(PixelAt(Win(), 110, 160), kBlack) << "drawn, not filled";
}

TEST_F(DrawContextTest, GetPixelReadsTheWindowAndNothingOutsideIt)
{
    DrawContext dc(form);
    dc.DrawPoint(7, 8, 0xABCDEF);
    EXPECT_EQ(dc.GetPixel(7, 8) & 0xFFFFFF, 0xABCDEFu);
    EXPECT_EQ(dc.GetPixel(-5, -5), 0u);
    EXPECT_EQ(dc.GetPixel(5000, 10), 0u);
}

TEST_F(DrawContextTest, OkIsCentredInItsBoxAndRightAlignedWithAlignOne)
{
    DrawContext dc(form);
    const int lh = TextLineHeight(), tw = TextWidth("OK");
    dc.DrawText(10, 10, 80, 28, "OK", static_cast<int32_t>(kWhite), -1, 2);
    Reference(10 + (80 - tw) / 2, 110 + lh + (28 - lh) / 2 - 1, "OK");
    const std::vector<uint32_t> centred = Box(10, 10, 80, 28);
    EXPECT_EQ(centred, Box(10, 110, 80, 28));
    const auto columns = InkColumns(centred, 80, kWhite);
    ASSERT_GE(columns.second, columns.first) << "something was drawn";
    EXPECT_LE(std::abs(columns.first - (79 - columns.second)), 3) << "as much room left as right";

    dc.DrawText(150, 10, 80, 28, "OK", static_cast<int32_t>(kWhite), -1, 1);
    Reference(150 + 80 - tw, 110 + lh + (28 - lh) / 2 - 1 + 40, "OK");
    const std::vector<uint32_t> right = Box(150, 10, 80, 28);
    EXPECT_EQ(right, Box(150, 150, 80, 28));
    EXPECT_LE(InkColumns(right, 80, kWhite).second, 79);
    EXPECT_GE(InkColumns(right, 80, kWhite).second, 79 - 2) << "ends at the box's right edge";
}

TEST_F(DrawContextTest, TwoWordsBreakAtTheBlankAndTheSecondStartsAtX)
{
    DrawContext dc(form);
    const int lh = TextLineHeight();
    const int width = TextWidth("Hello World") - 2;
    dc.DrawText(10, 10, width, 60, "Hello World", static_cast<int32_t>(kWhite), -1, 2);
    Reference(10, 120 + lh - 1, "Hello");
    Reference(10, 120 + 2 * lh - 1, "World");
    EXPECT_EQ(Box(10, 10, width + 4, 60), Box(10, 120, width + 4, 60));
}

TEST_F(DrawContextTest, LineFeedsSplitWithoutCentring)
{
    DrawContext dc(form);
    const int lh = TextLineHeight();
    dc.DrawText(10, 10, 100, 60, "AB\n  CD", static_cast<int32_t>(kWhite), -1, 0);
    Reference(10, 120 + lh - 1, "AB");
    Reference(10, 120 + 2 * lh - 1, "CD");
    EXPECT_EQ(Box(10, 10, 100, 60), Box(10, 120, 100, 60));
}

TEST_F(DrawContextTest, WordWithoutBlankIsCutWhereItStopsFitting)
{
    DrawContext dc(form);
    const int lh = TextLineHeight();
    const int width = TextWidth("aaaa");
    dc.DrawText(10, 10, width, 60, "aaaaaaaa", static_cast<int32_t>(kWhite), -1, 2);
    Reference(10, 120 + lh - 1, "aaaa");
    Reference(10, 120 + 2 * lh - 1, "aaaa");
    EXPECT_EQ(Box(10, 10, width + 10, 60), Box(10, 120, width + 10, 60));
}

TEST_F(DrawContextTest, LowBoxDrawsNothingAndBackgroundFillsTheBox)
{
    DrawContext dc(form);
    dc.DrawText(10, 10, 100, 9, "OK", static_cast<int32_t>(kWhite), 0x0000FF, 0);
    EXPECT_EQ(Count(Box(0, 0, 200, 40), kBlack), 200u * 40u);

    dc.DrawText(10, 50, 50, 20, "x", static_cast<int32_t>(kWhite), 0x0000FF, 0);
    EXPECT_EQ(PixelAt(Win(), 10, 50), 0x0000FFu);
    EXPECT_EQ(PixelAt(Win(), 58, 69), 0x0000FFu);
    EXPECT_EQ(PixelAt(Win(), 59, 60), kBlack);
    EXPECT_EQ(PixelAt(Win(), 30, 70), kBlack);
    EXPECT_GT(Count(Box(10, 50, 49, 20), kWhite), 0u) << "the text is drawn over the fill";
}

TEST_F(DrawContextTest, TextUsesTheFirstFormsFont)
{
    TestForm other(400, 20, 100, 100);
    other.SetFont(FontDescription("", 20));
    other.Create();
    KeepContents(other.GetWindow());
    EXPECT_EQ(form->GetFont().BuildFontName(), "-*-*-Medium-R-Normal--14-*");
    DrawContext first(form), second(&other);
    ASSERT_NE(first.GetFontStruct(), nullptr);
    EXPECT_EQ(second.GetFontStruct(), first.GetFontStruct());
    EXPECT_EQ(second.LineHeight(), first.GetFontStruct()->ascent + 1);
    EXPECT_EQ(second.CharWidthM(), TextWidth("M"));
    EXPECT_EQ(second.CharWidthA(), TextWidth("a"));
}

TEST_F(DrawContextTest, ContextWithoutAWindowLogsAndDrawsNothing)
{
    TestForm unmade(0, 0, 50, 50);
    DrawContext dc(&unmade);
    EXPECT_FALSE(dc.IsValid());
    dc.FillRectangle(0, 0, 10, 10, 0, 0, kWhite);
    dc.DrawText(0, 0, 50, 20, "x", 0, 0, 0);
    EXPECT_EQ(dc.CaptureImage(0, 0, 5, 5), nullptr);
    EXPECT_EQ(Log(), "Errore nella creazione del GC\n");
}

TEST_F(DrawContextTest, DrawsIntoAPixmapOfTheForm)
{
    const Pixmap pixmap = XCreatePixmap(Dpy(), Win(), 40, 20, 24);
    DrawContext dc(form, pixmap);
    ASSERT_TRUE(dc.IsValid());
    dc.FillRectangle(0, 0, 41, 21, 0, 0, 0x010101);
    dc.DrawPoint(3, 4, 0x00FF00);
    EXPECT_EQ(dc.GetPixel(3, 4) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(dc.GetPixel(39, 19) & 0xFFFFFF, 0x010101u);
    EXPECT_EQ(dc.GetPixel(40, 0), 0u) << "outside the pixmap";
    XFreePixmap(Dpy(), pixmap);
    EXPECT_EQ(PixelAt(Win(), 3, 4), kBlack) << "the window is untouched";
}

}  // namespace
