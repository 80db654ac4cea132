// The full-screen pictures: level backdrops that leave the status line calm
// and differ from each other, a title that keeps the game's text places
// dark, and message pictures that carry a caption.
#include "tests/tools/GeneratedData.h"
#include "tools/artgen/PixelFont.h"
#include "tools/artgen/Screens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kBackdrops = {"sfondopre1.bin", "sfondopre2.bin", "sfondopre3.bin",
                                             "sfondo.bin",     "sfondo2.bin",    "sfondo3.bin",
                                             "sfondo4.bin",    "sfondo5.bin"};

struct Mean {
    double r = 0, g = 0, b = 0;
};

Mean MeanColour(const RgbPicture& p, int y0, int y1) {
    Mean m;
    const double n = double(p.Width()) * (y1 - y0);
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < p.Width(); ++x) {
            const Pixel px = p.At(x, y);
            m.r += px.r / n;
            m.g += px.g / n;
            m.b += px.b / n;
        }
    return m;
}

int MaxLuma(const RgbPicture& p, int x, int y, int w, int h) {
    int most = 0;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) most = std::max(most, p.At(xx, yy).Luma());
    return most;
}

}  // namespace

TEST(Pictures, BackdropsKeepTheStatusBandCalm) {
    for (const std::string& name : kBackdrops) {
        const RgbPicture p = LoadGenerated(name, 800);
        // Along each of the top 30 rows the brightness barely changes: no
        // sun, star or tree behind the score.
        for (int y = 0; y < 30; ++y) {
            int low = 255, high = 0;
            for (int x = 0; x < 800; ++x) {
                low = std::min(low, p.At(x, y).Luma());
                high = std::max(high, p.At(x, y).Luma());
            }
            ASSERT_LE(high - low, 24) << name << " row " << y;
        }
    }
}

TEST(Pictures, TheEightBackdropsAreDistinctScenes) {
    std::vector<Mean> sky, land;
    for (const std::string& name : kBackdrops) {
        const RgbPicture p = LoadGenerated(name, 800);
        sky.push_back(MeanColour(p, 40, 300));
        land.push_back(MeanColour(p, 300, 576));
    }
    for (size_t a = 0; a < sky.size(); ++a)
        for (size_t b = a + 1; b < sky.size(); ++b) {
            const double d = std::fabs(sky[a].r - sky[b].r) + std::fabs(sky[a].g - sky[b].g) +
                             std::fabs(sky[a].b - sky[b].b) + std::fabs(land[a].r - land[b].r) +
                             std::fabs(land[a].g - land[b].g) + std::fabs(land[a].b - land[b].b);
            EXPECT_GT(d, 30) << kBackdrops[a] << " looks like " << kBackdrops[b];
        }
}

TEST(Pictures, BackdropsDarkenBelowTheGroundRowForTheHoles) {
    for (const std::string& name : kBackdrops) {
        const RgbPicture p = LoadGenerated(name, 800);
        int above = 0, below = 0;
        for (int x = 0; x < 800; ++x) {
            above += p.At(x, 570).Luma();
            below += p.At(x, 636).Luma();
        }
        EXPECT_LT(below * 2, above) << name;
    }
}

TEST(Pictures, TitleKeepsTheGameTextPlacesDark) {
    const RgbPicture logo = LoadGenerated("logo.bin", 800);
    // White and red (luma 76) text must stand out where the game writes it.
    for (const artgen::RectI& r : artgen::TitleTextAreas())
        EXPECT_LE(MaxLuma(logo, r.x, r.y, r.w, r.h), 45) << "area at " << r.x << "," << r.y;
    // Those areas cover the three texts' places.
    auto covered = [](int x, int y) {
        for (const artgen::RectI& r : artgen::TitleTextAreas())
            if (r.Contains(x, y)) return true;
        return false;
    };
    EXPECT_TRUE(covered(10, 60) && covered(200, 75));      // L O A D I N G . . .
    EXPECT_TRUE(covered(210, 135) && covered(600, 150));   // the maker line
    EXPECT_TRUE(covered(480, 600) && covered(790, 615));   // the prompt
}

TEST(Pictures, TitleShowsTheNameInLargeLetters) {
    const RgbPicture logo = LoadGenerated("logo.bin", 800);
    int bright = 0;
    for (int y = 170; y < 480; ++y)
        for (int x = 0; x < 800; ++x) bright += logo.At(x, y).Luma() > 150;
    EXPECT_GT(bright, 15000);  // three lines of block letters, not a few stars
}

TEST(Pictures, MessagePicturesCarryDifferentCaptions) {
    const std::vector<std::string> names = {"replay.bin", "livello.bin", "gameover.bin"};
    std::vector<RgbPicture> pictures;
    for (const std::string& n : names) pictures.push_back(LoadGenerated(n, 800));
    for (size_t i = 0; i < names.size(); ++i) {
        int bright = 0;
        for (int y = 100; y < 380; ++y)
            for (int x = 0; x < 800; ++x) bright += pictures[i].At(x, y).Luma() > 110;
        EXPECT_GT(bright, 20000) << names[i];
        for (size_t j = i + 1; j < names.size(); ++j)
            EXPECT_FALSE(pictures[i].SameRect(0, 100, pictures[j], 0, 100, 800, 280));
    }
}
