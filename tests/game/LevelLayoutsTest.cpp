// Headless checks of the built-in layouts: counts and checksums worked out by
// hand from the layout sheets, so a mistyped cell shows up here.
#include "game/LevelLayouts.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace Layouts;

namespace {
int CountWhere(const int32_t (&row)[kColumns], bool (*test)(int32_t))
{
    int count = 0;
    for (int32_t value : row)
        count += test(value) ? 1 : 0;
    return count;
}

std::map<int, int32_t> Vegetation(int layout)
{
    std::map<int, int32_t> cells;
    for (int column = 0; column < kColumns; ++column)
        if (VegetationAt(layout, column) != kNone)
            cells[column] = VegetationAt(layout, column);
    return cells;
}
}  // namespace

TEST(LevelLayouts, LayoutOfCyclesThroughTheEightLayouts)
{
    EXPECT_EQ(LayoutOf(1), 1);
    EXPECT_EQ(LayoutOf(7), 7);
    EXPECT_EQ(LayoutOf(8), 8);
    EXPECT_EQ(LayoutOf(9), 1);
    EXPECT_EQ(LayoutOf(16), 8);
    EXPECT_EQ(LayoutOf(17), 1);
    EXPECT_EQ(LayoutOf(21), 5);
}

TEST(LevelLayouts, BackgroundFiles)
{
    EXPECT_EQ(BackgroundPath(1), "Data/sfondopre1.bin");
    EXPECT_EQ(BackgroundPath(3), "Data/sfondopre3.bin");
    EXPECT_EQ(BackgroundPath(4), "Data/sfondo.bin");
    EXPECT_EQ(BackgroundPath(5), "Data/sfondo2.bin");
    EXPECT_EQ(BackgroundPath(8), "Data/sfondo5.bin");
    EXPECT_EQ(BackgroundPath(LayoutOf(9)), "Data/sfondopre1.bin");
    EXPECT_EQ(BackgroundPath(0), "Data/blank.bin");
    EXPECT_EQ(BackgroundPath(9), "Data/blank.bin");
}

TEST(LevelLayouts, GroundHolesPerLayout)
{
    const int holes[kLayoutCount] = {0, 6, 6, 3, 10, 4, 7, 7};
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        EXPECT_EQ(CountWhere(kGround[layout - 1], [](int32_t v) { return v == -1; }), holes[layout - 1])
            << "layout " << layout;
        EXPECT_EQ(CountWhere(kGround[layout - 1], [](int32_t v) { return v != -1 && v != 0; }), 0)
            << "ground holds only frame 0 or holes, layout " << layout;
    }
}

TEST(LevelLayouts, Layout7HasGroundOnlyAtBothEnds)
{
    for (int column = 0; column < kColumns; ++column) {
        const bool ground = column <= 6 || column >= 14;
        EXPECT_EQ(GroundAt(7, column) == 0, ground) << "column " << column;
    }
    // Layout 8 ends in a hole from column 13 on; layout 4 has its one hole at 14-16.
    EXPECT_EQ(GroundAt(8, 12), 0);
    EXPECT_EQ(GroundAt(8, 13), kNone);
    EXPECT_EQ(GroundAt(4, 13), 0);
    EXPECT_EQ(GroundAt(4, 14), kNone);
    EXPECT_EQ(GroundAt(4, 17), 0);
}

TEST(LevelLayouts, PlatformsPerLayout)
{
    const int platforms[kLayoutCount] = {3, 2, 7, 6, 4, 4, 7, 8};
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        EXPECT_EQ(CountWhere(kPlatform[layout - 1], [](int32_t v) { return v == 1; }), platforms[layout - 1])
            << "layout " << layout;
        EXPECT_EQ(CountWhere(kPlatform[layout - 1], [](int32_t v) { return v != 1 && v != -1; }), 0);
    }
    EXPECT_EQ(PlatformAt(1, 4), 1);
    EXPECT_EQ(PlatformAt(1, 5), 1);
    EXPECT_EQ(PlatformAt(1, 15), 1);
    EXPECT_EQ(PlatformAt(3, 10), kNone);
    EXPECT_EQ(PlatformAt(8, 19), 1);
}

TEST(LevelLayouts, VegetationCells)
{
    EXPECT_EQ(Vegetation(1), (std::map<int, int32_t>{{1, 6}, {6, 1}, {9, 4}, {13, 5}, {17, 6}}));
    EXPECT_EQ(Vegetation(2), (std::map<int, int32_t>{{1, 2}, {9, 6}, {13, 4}, {18, 5}}));
    EXPECT_EQ(Vegetation(3), (std::map<int, int32_t>{{1, 3}, {16, 6}}));
    EXPECT_EQ(Vegetation(4), (std::map<int, int32_t>{{1, 1}, {3, 2}, {6, 1}, {9, 3}, {17, 4}}));
    EXPECT_EQ(Vegetation(5), (std::map<int, int32_t>{{1, 5}}));
    EXPECT_EQ(Vegetation(6), (std::map<int, int32_t>{{1, 1}}));
    EXPECT_EQ(Vegetation(7), (std::map<int, int32_t>{{1, 1}}));
    EXPECT_EQ(Vegetation(8), (std::map<int, int32_t>{{1, 6}}));
}

TEST(LevelLayouts, OutOfRangeCellsReadAsNothing)
{
    EXPECT_EQ(GroundAt(0, 0), kNone);
    EXPECT_EQ(GroundAt(9, 0), kNone);
    EXPECT_EQ(GroundAt(1, 20), kNone);
    EXPECT_EQ(VegetationAt(1, -1), kNone);
    EXPECT_EQ(PlatformAt(-3, 4), kNone);
}

TEST(LevelLayouts, EveryLayoutHas18CoinsInsideTheView)
{
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        ASSERT_EQ(CoinCount(layout), 18) << "layout " << layout;
        for (const CoinPosition& coin : CoinsOf(layout)) {
            // A 20 x 19 coin, visible at scroll 0 (x up to 800 - 20), above the ground row.
            EXPECT_GE(coin.x, 0);
            EXPECT_LE(coin.x, 780);
            EXPECT_GE(coin.y, 0);
            EXPECT_LE(coin.y + 19, kGroundY);
        }
    }
    EXPECT_EQ(CoinCount(0), 0);
    EXPECT_EQ(CoinCount(9), 0);
}

TEST(LevelLayouts, CoinListsChecksums)
{
    auto sums = [](int layout) {
        int sx = 0, sy = 0;
        for (const CoinPosition& coin : CoinsOf(layout)) {
            sx += coin.x;
            sy += coin.y;
        }
        return std::make_pair(sx, sy);
    };
    for (int layout = 1; layout <= 6; ++layout)
        EXPECT_EQ(sums(layout), std::make_pair(6615, 8020)) << "layout " << layout;
    EXPECT_EQ(sums(7), std::make_pair(6585, 7410));
    EXPECT_EQ(sums(8), std::make_pair(6585, 7410));

    // The entries where the two lists part.
    const Entries<CoinPosition> first = CoinsOf(1), second = CoinsOf(7);
    EXPECT_EQ(first.items[0].x, 0);
    EXPECT_EQ(first.items[0].y, 400);
    EXPECT_EQ(first.items[3].y, 500);
    EXPECT_EQ(second.items[3].y, 340);
    EXPECT_EQ(second.items[15].y, 330);
    EXPECT_EQ(first.items[17].x, 640);
    EXPECT_EQ(first.items[17].y, 550);
    EXPECT_EQ(second.items[17].x, 610);
    EXPECT_EQ(second.items[17].y, 430);
    int differing = 0;
    for (int i = 0; i < kCoinsPerList; ++i)
        differing += (first.items[i].x != second.items[i].x || first.items[i].y != second.items[i].y) ? 1 : 0;
    EXPECT_EQ(differing, 5);
}

TEST(LevelLayouts, FirePositions)
{
    for (int layout = 1; layout <= 5; ++layout)
        EXPECT_EQ(FiresOf(layout).count, 0) << "layout " << layout;
    auto list = [](int layout) {
        const Entries<int32_t> fires = FiresOf(layout);
        return std::vector<int32_t>(fires.begin(), fires.end());
    };
    EXPECT_EQ(list(6), (std::vector<int32_t>{220, 250}));
    EXPECT_EQ(list(7), (std::vector<int32_t>{250, 170}));
    EXPECT_EQ(list(8), (std::vector<int32_t>{250}));
    EXPECT_EQ(FiresOf(0).count, 0);
    EXPECT_EQ(kFireY, 546);
}

TEST(LevelLayouts, EnemyRows)
{
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        const Entries<EnemyEntry> row = EnemiesOf(layout);
        EXPECT_EQ(row.count, layout == 8 ? 4 : 3) << "layout " << layout;
        for (const EnemyEntry& e : row) {
            EXPECT_EQ(e.kind, layout >= 7 ? EnemyEntry::Ufo : EnemyEntry::Bee) << "layout " << layout;
            EXPECT_GT(e.height, 0);
            EXPECT_LT(e.height, 640);
            EXPECT_NE(e.speed, 0);
            if (e.leftEnd != kNone && e.rightEnd != kNone) {
                EXPECT_LT(e.leftEnd, e.rightEnd);
            }
        }
    }
    EXPECT_EQ(EnemiesOf(0).count, 0);
    EXPECT_EQ(EnemiesOf(4).items, EnemiesOf(5).items);

    const EnemyEntry first = EnemiesOf(1).items[0];
    EXPECT_EQ(first.height, 120);
    EXPECT_EQ(first.start, -1);
    EXPECT_EQ(first.speed, -2);
    EXPECT_EQ(first.leftEnd, 290);
    EXPECT_EQ(first.rightEnd, 690);

    const EnemyEntry patrol = EnemiesOf(8).items[1];
    EXPECT_EQ(patrol.height, 120);
    EXPECT_EQ(patrol.start, 70);
    EXPECT_EQ(patrol.speed, -8);
    EXPECT_EQ(patrol.leftEnd, 500);
    EXPECT_EQ(patrol.rightEnd, 800);

    // Speeds, row by row.
    auto speeds = [](int layout) {
        std::vector<int32_t> out;
        for (const EnemyEntry& e : EnemiesOf(layout))
            out.push_back(e.speed);
        return out;
    };
    EXPECT_EQ(speeds(1), (std::vector<int32_t>{-2, -2, -2}));
    EXPECT_EQ(speeds(2), (std::vector<int32_t>{-8, -2, -4}));
    EXPECT_EQ(speeds(3), (std::vector<int32_t>{-2, -4, -4}));
    EXPECT_EQ(speeds(4), (std::vector<int32_t>{-4, -8, -8}));
    EXPECT_EQ(speeds(6), (std::vector<int32_t>{8, -8, -2}));
    EXPECT_EQ(speeds(7), (std::vector<int32_t>{-8, 8, -8}));
    EXPECT_EQ(speeds(8), (std::vector<int32_t>{-8, -8, 8, -8}));

    auto heights = [](int layout) {
        std::vector<int32_t> out;
        for (const EnemyEntry& e : EnemiesOf(layout))
            out.push_back(e.height);
        return out;
    };
    EXPECT_EQ(heights(3), (std::vector<int32_t>{220, 120, 90}));
    EXPECT_EQ(heights(6), (std::vector<int32_t>{200, 220, 90}));
    EXPECT_EQ(heights(8), (std::vector<int32_t>{120, 120, 220, 240}));
}
