// The sprite strips as the game cuts them: frames stacked from the top,
// black as the transparent colour, content where the game expects it.
#include "game/world/GameRules.h"
#include "tests/tools/GeneratedData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Strip {
    const char* name;
    int width;                      // pixels of the file
    int frameWidth, frameHeight;    // pixels
    std::vector<int> usedFrames;    // counted from 0
};

// The tiles' frame 0 fills its cell (ground must join without gaps), so it
// is checked on its own below.
const std::vector<Strip> kStrips = {
    {"player.bin", 48, 48, 64, {0, 1, 2, 3, 4, 5}},
    {"tiles.bin", 64, 64, 64, {1, 2, 3, 4, 5, 6}},
    {"money.bin", 24, 20, 19, {0}},
    {"ape.bin", 40, 40, 30, {0, 1, 2, 3}},
    {"fire.bin", 40, 40, 30, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {"ufo.bin", 40, 40, 40, {0, 1, 2, 3}},
};

// Transparent pixels of a frame that the border cannot reach through other
// transparent pixels: holes through which the backdrop would show.
int EnclosedTransparentPixels(const RgbPicture& p, int top, int w, int h) {
    std::vector<char> reached(size_t(w) * h, 0);
    std::vector<std::pair<int, int>> pending;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || reached[size_t(y) * w + x]) return;
        if (!p.At(x, top + y).IsBlack()) return;
        reached[size_t(y) * w + x] = 1;
        pending.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
    for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
    }
    int holes = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) holes += p.At(x, top + y).IsBlack() && !reached[size_t(y) * w + x];
    return holes;
}

bool SameFrame(const RgbPicture& p, int a, int b, int w, int h) {
    return p.SameRect(0, a * h, p, 0, b * h, w, h);
}

}  // namespace

TEST(SpriteStrips, EveryUsedFrameHasBlackCornersAndVisibleContent) {
    for (const Strip& s : kStrips) {
        const RgbPicture picture = LoadGenerated(s.name, s.width);
        for (int f : s.usedFrames) {
            SCOPED_TRACE(std::string(s.name) + " frame " + std::to_string(f));
            const int top = f * s.frameHeight, w = s.frameWidth, h = s.frameHeight;
            EXPECT_TRUE(picture.At(0, top).IsBlack());
            EXPECT_TRUE(picture.At(w - 1, top).IsBlack());
            EXPECT_TRUE(picture.At(0, top + h - 1).IsBlack());
            EXPECT_TRUE(picture.At(w - 1, top + h - 1).IsBlack());
            // At least a tenth of the frame is drawn: a sprite, not a speck.
            EXPECT_GE(picture.CountOpaque(0, top, w, h), w * h / 10);
        }
    }
}

// Black is see-through, so a solid body must not contain any: only the gaps
// between stems and blades of the vegetation are meant to show the backdrop.
TEST(SpriteStrips, SolidSpritesHaveNoSeeThroughHoles) {
    for (const Strip& s : kStrips) {
        if (std::string(s.name) == "tiles.bin") continue;
        const RgbPicture picture = LoadGenerated(s.name, s.width);
        for (int f : s.usedFrames)
            EXPECT_EQ(EnclosedTransparentPixels(picture, f * s.frameHeight, s.frameWidth, s.frameHeight), 0)
                << s.name << " frame " << f;
    }
}

TEST(SpriteStrips, CoinStaysInsideItsTwentyByNineteenArea) {
    const RgbPicture coin = LoadGenerated("money.bin", 24);
    ASSERT_EQ(coin.Height(), 24);
    EXPECT_EQ(coin.CountOpaque(20, 0, 4, 24), 0);
    EXPECT_EQ(coin.CountOpaque(0, 19, 24, 5), 0);
    // It fills its area edge to edge, so the game's 20 x 19 box is the coin.
    EXPECT_EQ(coin.TopOpaqueRow(0, 0, 20, 19), 0);
    EXPECT_EQ(coin.BottomOpaqueRow(0, 0, 20, 19), 18);
}

TEST(SpriteStrips, GroundTileIsSolidBelowItsGrassAndItsTopHalfIsAPlatform) {
    const RgbPicture tiles = LoadGenerated("tiles.bin", 64);
    ASSERT_EQ(tiles.Height(), 640);
    // Blades of grass along the top leave the corners clear ...
    EXPECT_TRUE(tiles.At(0, 0).IsBlack());
    EXPECT_TRUE(tiles.At(63, 0).IsBlack());
    EXPECT_GT(tiles.CountOpaque(0, 0, 64, 6), 64);
    // ... and from the turf down the tile is solid, so ground joins ground.
    EXPECT_EQ(tiles.CountOpaque(0, 6, 64, 58), 64 * 58);
    // The platform is the top 32 rows alone: solid from the turf to its
    // bottom edge, with a darker rim that closes it off in mid-air.
    EXPECT_EQ(tiles.CountOpaque(0, 6, 64, 26), 64 * 26);
    int rimDarker = 0;
    for (int x = 0; x < 64; ++x) rimDarker += tiles.At(x, 31).Luma() < tiles.At(x, 20).Luma();
    EXPECT_GT(rimDarker, 48);
}

TEST(SpriteStrips, VegetationStandsOnTheBottomOfItsCell) {
    const RgbPicture tiles = LoadGenerated("tiles.bin", 64);
    for (int f = 1; f <= 6; ++f) {
        SCOPED_TRACE("tile frame " + std::to_string(f));
        EXPECT_EQ(tiles.BottomOpaqueRow(0, f * 64, 64, 64), 63);
        EXPECT_GT(tiles.CountOpaque(0, f * 64 + 63, 64, 1), 8);
        EXPECT_GT(tiles.TopOpaqueRow(0, f * 64, 64, 64), 0);  // nothing touches the top
    }
}

TEST(SpriteStrips, PlayerFeetReachTheBottomRowAndFaceTheWalkingDirection) {
    const RgbPicture player = LoadGenerated("player.bin", 48);
    ASSERT_EQ(player.Height(), 384);
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE("player frame " + std::to_string(f));
        const int top = f * 64;
        // It lands 6 pixels into a tile: its soles are in the last rows.
        EXPECT_GE(player.BottomOpaqueRow(0, top, 48, 64), 61);
        // The cap's visor and the nose stick out on the side it walks to.
        int left = 48, right = -1;
        for (int y = top + 8; y < top + 28; ++y)
            for (int x = 0; x < 48; ++x)
                if (!player.At(x, y).IsBlack()) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        const int towardsRight = right - 24, towardsLeft = 24 - left;
        if (f < 3) EXPECT_GT(towardsLeft, towardsRight + 3);
        else EXPECT_GT(towardsRight, towardsLeft + 3);
    }
}

TEST(SpriteStrips, WalkCycleFramesAllDiffer) {
    const RgbPicture player = LoadGenerated("player.bin", 48);
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) EXPECT_FALSE(SameFrame(player, a, b, 48, 64)) << a << " " << b;
}

TEST(SpriteStrips, BeeFlapsAndTheLeftFramesMirrorTheRightOnes) {
    const RgbPicture bee = LoadGenerated("ape.bin", 40);
    ASSERT_EQ(bee.Height(), 120);
    EXPECT_FALSE(SameFrame(bee, 0, 1, 40, 30));
    for (int f = 0; f < 2; ++f)
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const Pixel r = bee.At(x, f * 30 + y), l = bee.At(39 - x, (f + 2) * 30 + y);
                ASSERT_TRUE(r.r == l.r && r.g == l.g && r.b == l.b) << "frame " << f << " at " << x << "," << y;
            }
}

TEST(SpriteStrips, FireIsTallOnlyInItsDeadlyFrames) {
    const RgbPicture fire = LoadGenerated("fire.bin", 40);
    ASSERT_EQ(fire.Height(), 360);
    for (int f = 0; f < 12; ++f) {
        SCOPED_TRACE("fire frame " + std::to_string(f + 1) + " counted from 1");
        const int top = fire.TopOpaqueRow(0, f * 30, 40, 30);
        EXPECT_EQ(fire.BottomOpaqueRow(0, f * 30, 40, 30), 29);  // it stands on the ground
        // The game's rule and the picture agree: the fire kills exactly
        // while its flames are 20 pixels and more.
        if (Rules::FireBurns(f + 1)) EXPECT_LE(top, 8);
        else EXPECT_GE(top, 16);  // embers, safe to pass
    }
}

TEST(SpriteStrips, SaucerLightsChangeInEveryFrame) {
    const RgbPicture ufo = LoadGenerated("ufo.bin", 40);
    ASSERT_EQ(ufo.Height(), 160);
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) EXPECT_FALSE(SameFrame(ufo, a, b, 40, 40)) << a << " " << b;
}
