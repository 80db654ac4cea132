#include "game/world/SpriteDesc.h"
#include "game/world/SpriteGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(SpriteGeometry, BoxesSharingOnlyAnEdgeDoNotOverlap)
{
    const SpriteBox a{100, 100, 40, 30};
    EXPECT_FALSE(Overlaps(a, {140, 100, 40, 30}, 0, 0));  // right edge
    EXPECT_FALSE(Overlaps(a, {60, 100, 40, 30}, 0, 0));   // left edge
    EXPECT_FALSE(Overlaps(a, {100, 130, 40, 30}, 0, 0));  // bottom edge
    EXPECT_FALSE(Overlaps(a, {100, 70, 40, 30}, 0, 0));   // top edge
    EXPECT_FALSE(Overlaps(a, {140, 130, 40, 30}, 0, 0));  // corner
    EXPECT_TRUE(Overlaps(a, {139, 129, 40, 30}, 0, 0));   // one pixel in
    EXPECT_TRUE(Overlaps(a, {110, 110, 5, 5}, 0, 0));     // inside
    EXPECT_TRUE(Overlaps({110, 110, 5, 5}, a, 0, 0));
}

TEST(SpriteGeometry, MarginsOfFiveLetFortyPixelBoxesOverlapOnlyUnderThirtyApart)
{
    const SpriteBox a{200, 300, 40, 30};
    for (int32_t distance = 0; distance <= 40; ++distance) {
        const bool expected = distance < 30;
        EXPECT_EQ(Overlaps(a, {200 + distance, 300, 40, 30}, 5, 5), expected) << distance;
        EXPECT_EQ(Overlaps(a, {200 - distance, 300, 40, 30}, 5, 5), expected) << -distance;
    }
    // Vertically the 30-pixel boxes shrink to 20: they meet only under 20 apart.
    EXPECT_TRUE(Overlaps(a, {200, 319, 40, 30}, 5, 5));
    EXPECT_FALSE(Overlaps(a, {200, 320, 40, 30}, 5, 5));
}

TEST(SpriteGeometry, MarginsAreAppliedToTheirOwnBox)
{
    // A player of 48 x 64 and a coin of 20 x 19 with the coin check's margins 0.
    const SpriteBox player{376, 518, 48, 64};
    EXPECT_TRUE(Overlaps(player, {423, 500, 20, 19}, 0, 0));
    EXPECT_FALSE(Overlaps(player, {424, 500, 20, 19}, 0, 0));
    // A large own margin removes a thin overlap, a margin on the other box too.
    EXPECT_FALSE(Overlaps(player, {420, 500, 20, 19}, 5, 0));
    EXPECT_FALSE(Overlaps(player, {410, 500, 20, 19}, 0, 15));
}

TEST(SpriteGeometry, StandsOnNeedsTheFeetWithinTheOtherBoxHeight)
{
    const SpriteBox ground{0, 576, 64, 64};
    EXPECT_TRUE(StandsOn({8, 512, 48, 64}, ground));   // feet at 576, the top
    EXPECT_TRUE(StandsOn({8, 576, 48, 64}, ground));   // feet at 640, the bottom
    EXPECT_TRUE(StandsOn({8, 518, 48, 64}, ground));   // six pixels deep
    EXPECT_FALSE(StandsOn({8, 511, 48, 64}, ground));  // one above
    EXPECT_FALSE(StandsOn({8, 577, 48, 64}, ground));  // one below
}

TEST(SpriteGeometry, PlayerWhoseMiddleHalfEndsOnThePlatformLeftEdgeStandsOnIt)
{
    const SpriteBox platform{256, 452, 64, 32};
    // Middle half of a 48-pixel player: x + 12 to x + 36.
    EXPECT_TRUE(StandsOn({220, 400, 48, 64}, platform));   // 220 + 36 == 256
    EXPECT_FALSE(StandsOn({219, 400, 48, 64}, platform));  // ends one pixel short
    EXPECT_TRUE(StandsOn({308, 400, 48, 64}, platform));   // starts at 320, the right edge
    EXPECT_FALSE(StandsOn({309, 400, 48, 64}, platform));
}

TEST(SpriteGeometry, AWideSpriteStandsOnANarrowOneWhenAnEdgeLiesInItsMiddleHalf)
{
    // Middle half of a 100-pixel box: x + 25 to x + 75, wider than the 10-pixel post.
    const SpriteBox post{100, 50, 10, 20};
    EXPECT_FALSE(StandsOn({20, 0, 100, 50}, post));   // 45..95 ends before the post
    EXPECT_TRUE(StandsOn({25, 0, 100, 50}, post));    // 50..100 reaches its left edge
    EXPECT_TRUE(StandsOn({40, 0, 100, 50}, post));    // 65..115 holds both edges
    EXPECT_TRUE(StandsOn({85, 0, 100, 50}, post));    // 110..160 holds the right edge
    EXPECT_FALSE(StandsOn({86, 0, 100, 50}, post));   // 111..161
    EXPECT_FALSE(StandsOn({0, 0, 100, 50}, post));    // 25..75
}

TEST(SpriteDesc, EveryKindsFramesFitItsStrip)
{
    using namespace SpriteKinds;
    for (int kind = 0; kind < kCount; ++kind) {
        const SpriteDesc& desc = kGameDescs[kind];
        EXPECT_EQ(desc.areaWidth, 800) << desc.kindName;
        EXPECT_EQ(desc.areaHeight, 640) << desc.kindName;
        EXPECT_LE((desc.lastFrame + 1) * desc.height, kStrips[kind]->height) << desc.kindName;
        EXPECT_GE(kStrips[kind]->width, desc.width) << desc.kindName;
    }
    EXPECT_TRUE(kGameDescs[Player].IsKind("player"));
    EXPECT_FALSE(kGameDescs[Ape].IsKind("ap"));
    EXPECT_FALSE(SpriteDesc{}.IsKind(""));
}

}  // namespace
