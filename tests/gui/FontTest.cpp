// Font descriptions: names, loading on the private X server, copies.
#include "GuiTestSupport.h"

using namespace guitest;

namespace {

class FontTest : public GuiTest {};

TEST_F(FontTest, BuildsTheLogicalFontName)
{
    FontDescription plain;
    EXPECT_EQ(plain.BuildFontName(), "-*-*-Medium-R-Normal--14-*");
    FontDescription styled;
    styled.SetBold(true);
    styled.SetItalic(true);
    EXPECT_EQ(styled.BuildFontName(), "-*-*-Bold-R-Italic--14-*");
    FontDescription family("fixed", 20);
    EXPECT_EQ(family.BuildFontName(), "-fixed-Medium-R-Normal--20-*");
    EXPECT_EQ(family.GetPixelSize(), 20) << "not loaded: the size asked for";
    EXPECT_EQ(plain.GetPixelSize(), 14);
}

TEST_F(FontTest, LoadedFontPutsItsAscentIntoTheName)
{
    FontDescription font;
    XFontStruct* loaded = font.GetFontStruct(Dpy());
    ASSERT_NE(loaded, nullptr) << "the server has no 14-pixel medium font";
    EXPECT_TRUE(font.IsLoaded());
    EXPECT_EQ(font.GetPixelSize(), loaded->ascent);
    EXPECT_EQ(font.BuildFontName(), "-*-*-Medium-R-Normal--" + std::to_string(loaded->ascent) + "-*");
    EXPECT_EQ(font.GetFontStruct(Dpy()), loaded) << "kept, not reloaded";
    EXPECT_EQ(Log(), "");
}

TEST_F(FontTest, AFontTheServerLacksIsLoggedAndFallsBackToTheDefault)
{
    FontDescription missing("no-such-family", 14);
    EXPECT_EQ(missing.GetFontStruct(Dpy()), nullptr);
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(Log(), "XLoadQueryFont failed\n");
    EXPECT_NE(missing.GetFontStructOrDefault(Dpy()), nullptr);
    EXPECT_EQ(Log(), "XLoadQueryFont failed\nXLoadQueryFont failed\n") << "every use tries again";
    EXPECT_FALSE(missing.IsLoaded());
}

TEST_F(FontTest, CopiesLoadTheirOwnFont)
{
    FontDescription original;
    ASSERT_NE(original.GetFontStruct(Dpy()), nullptr);
    FontDescription copy(original);
    ASSERT_TRUE(copy.IsLoaded());
    EXPECT_NE(copy.GetFontStruct(Dpy()), original.GetFontStruct(Dpy()));
    EXPECT_EQ(copy.GetPixelSize(), original.GetPixelSize());

    RecordingControl control(nullptr, "c", 0, 0, 10, 10);
    control.SetFont(original);
    EXPECT_NE(control.GetFont().GetFontStruct(Dpy()), original.GetFontStruct(Dpy()));
    EXPECT_EQ(control.GetFont().BuildFontName(), original.BuildFontName());
    copy = control.GetFont();
    copy = copy;
    EXPECT_TRUE(copy.IsLoaded());
}  // each frees only its own font: the sanitizer and X would object otherwise

}  // namespace
