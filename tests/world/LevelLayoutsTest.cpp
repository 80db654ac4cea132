// Headless checks of the built-in layouts. Each record is pinned by a
// fingerprint, so any single changed cell, coin, fire or enemy value fails
// here; the other tests check what must hold of every layout, whatever its
// values.
#include "game/world/LevelLayouts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace Layouts;

namespace {

// Every value of a record, in a fixed order, as readable text.
std::string Describe(const Layout& layout)
{
    std::ostringstream out;
    out << "background " << layout.background->name;
    const std::pair<const char*, const int32_t*> rows[] = {
        {"ground", layout.ground}, {"vegetation", layout.vegetation}, {"platform", layout.platform}};
    for (const auto& [name, cells] : rows) {
        out << "\n" << name;
        for (int column = 0; column < kColumns; ++column)
            out << ' ' << cells[column];
    }
    out << "\ncoins";
    for (const CoinPosition& coin : layout.coins)
        out << " (" << coin.x << ',' << coin.y << ')';
    out << "\nfires";
    for (int32_t x : layout.fires)
        out << ' ' << x;
    out << "\nenemies";
    for (const EnemyEntry& e : layout.enemies)
        out << " (" << (e.kind == EnemyEntry::Bee ? "bee" : "ufo") << ' ' << e.height << ' ' << e.start << ' '
            << e.speed << ' ' << e.leftEnd << ' ' << e.rightEnd << ')';
    return out.str();
}

uint64_t Fnv1a(const std::string& text)
{
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

}  // namespace

// The fingerprints of the eight records, layout 1 first. After a deliberate
// change of a layout, the failure prints the record and its new fingerprint:
// check the printed record against the layout sheet, then copy the value here.
TEST(LevelLayouts, EveryRecordMatchesItsFingerprint)
{
    const uint64_t expected[] = {
        0x18b8087740764f29ull, 0x33ee397c9404250full, 0xfce819aab9dd0133ull, 0xf4020d336f2441e2ull,
        0x6e1fb2fe0d7923daull, 0x4b4600cdbb0c8579ull, 0x1074652cbb314eabull, 0x4e22057d037cc988ull,
    };
    static_assert(sizeof expected / sizeof expected[0] == kLayoutCount, "one fingerprint per layout");
    for (int i = 0; i < kLayoutCount; ++i) {
        const std::string text = Describe(kLayouts[i]);
        EXPECT_EQ(Fnv1a(text), expected[i])
            << "layout " << i + 1 << " is now:\n" << text << "\nfingerprint 0x" << std::hex << Fnv1a(text) << "ull";
    }
}

TEST(LevelLayouts, LevelsCycleThroughTheTableAndLookupsOutsideItAreEmpty)
{
    for (int level = 1; level <= 3 * kLayoutCount; ++level)
        EXPECT_EQ(LayoutOf(level), (level - 1) % kLayoutCount + 1) << "level " << level;
    EXPECT_EQ(DataFiles::PathOf(BackgroundOf(LayoutOf(9))), "Data/sfondopre1.bin");
    EXPECT_EQ(DataFiles::PathOf(BackgroundOf(8)), "Data/sfondo5.bin");
    for (int outside : {0, -1, kLayoutCount + 1}) {
        EXPECT_EQ(Find(outside), nullptr);
        EXPECT_EQ(DataFiles::PathOf(BackgroundOf(outside)), "Data/blank.bin");
        EXPECT_EQ(CoinCount(outside), 0);
        EXPECT_EQ(FiresOf(outside).count, 0);
        EXPECT_EQ(EnemiesOf(outside).count, 0);
        EXPECT_EQ(GroundAt(outside, 0), kNone);
    }
    EXPECT_EQ(GroundAt(1, kColumns), kNone);
    EXPECT_EQ(VegetationAt(1, -1), kNone);
}

// What every layout must be to play: a start column with ground, cells that
// name real frames, 18 coins inside the first view above the ground, fires
// standing on ground, and enemies that fly above the ground row.
TEST(LevelLayouts, EveryLayoutIsPlayable)
{
    constexpr int kTileFrames = 7;  // ground and vegetation frames the tile strip shows
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        SCOPED_TRACE("layout " + std::to_string(layout));
        const Layout& record = *Find(layout);
        EXPECT_EQ(GroundAt(layout, 0), 0) << "the player starts over column 0";
        for (int column = 0; column < kColumns; ++column) {
            EXPECT_TRUE(record.ground[column] == kNone || record.ground[column] == 0) << column;
            EXPECT_TRUE(record.vegetation[column] == kNone ||
                        (record.vegetation[column] >= 1 && record.vegetation[column] < kTileFrames))
                << column;
            EXPECT_TRUE(record.platform[column] == kNone || record.platform[column] == 1) << column;
            if (record.vegetation[column] != kNone) {
                EXPECT_NE(record.ground[column], kNone) << "vegetation over a hole, column " << column;
            }
        }
        EXPECT_EQ(CoinCount(layout), kCoinsPerList);
        for (const CoinPosition& coin : record.coins) {
            EXPECT_GE(coin.x, 0);
            EXPECT_LE(coin.x, 800 - 20);
            EXPECT_GE(coin.y, 0);
            EXPECT_LE(coin.y + 19, kGroundY);
        }
        for (int32_t x : record.fires) {
            EXPECT_NE(GroundAt(layout, x / kColumnWidth), kNone) << "fire at " << x;
            EXPECT_NE(GroundAt(layout, (x + 39) / kColumnWidth), kNone) << "fire at " << x;
        }
        EXPECT_GT(record.enemies.count, 0);
        for (const EnemyEntry& e : record.enemies) {
            EXPECT_GT(e.height, 640 - kGroundY) << "an enemy above the ground row";
            EXPECT_LT(e.height, 640);
            EXPECT_NE(e.speed, 0);
            if (e.leftEnd != kNone && e.rightEnd != kNone) {
                EXPECT_LT(e.leftEnd, e.rightEnd);
            }
        }
    }
}
