// The built-in level layouts: one record per layout (backdrop, the three
// column rows of tiles, the coins, the fires and the enemies) in one table,
// kLayouts. Everything that counts layouts or looks one up reads that table,
// so a new layout is one more record (and its backdrop in DataFiles.h, which
// the checks below and the picture generator hold to). Plain data, no X: the
// playfield builds a level from it (PlayfieldLevel.cpp).
#pragma once

#include "game/world/DataFiles.h"
#include "game/world/GameRules.h"

#include <cstdint>

namespace Layouts {

constexpr int kColumns = 20;          // columns of a layout, each 64 pixels wide
constexpr int kColumnWidth = Rules::kTileSize;  // pixels
constexpr int32_t kNone = -1;         // nothing in this column / default end / start at the right end

// Walking steps of the player, pixels per step; the enemies' speeds are made of them.
constexpr int32_t kLeftStep = -Rules::kWalkStep;
constexpr int32_t kRightStep = Rules::kWalkStep;

// Rows of tiles, y of the top-left corner in form pixels.
constexpr int32_t kTileSize = Rules::kTileSize;
constexpr int32_t kGroundY = DataFiles::kFrameHeight - kTileSize;                        // 576
constexpr int32_t kVegetationY = kGroundY - kTileSize;                                   // 512
constexpr int32_t kPlatformY = kVegetationY - 60;                                        // 452
constexpr int32_t kFireY = DataFiles::kFrameHeight - DataFiles::kFireStrip.frameHeight - kTileSize;  // 546
static_assert(kGroundY == 576 && kVegetationY == 512 && kPlatformY == 452 && kFireY == 546, "tile rows");

// A read-only run of table entries.
template <typename T>
struct Entries {
    const T* items;
    int count;
    constexpr const T* begin() const { return items; }
    constexpr const T* end() const { return items + count; }
};

template <typename T, int N>
constexpr Entries<T> EntriesOf(const T (&items)[N])
{
    return Entries<T>{items, N};
}

template <typename T>
constexpr Entries<T> NoEntries()
{
    return Entries<T>{nullptr, 0};
}

// Coins: world x and y of the top-left corner, in collection-list order.
struct CoinPosition {
    int32_t x;
    int32_t y;
};

// Enemies: one AddBee or AddUfo call each, with its arguments.
struct EnemyEntry {
    enum Kind { Bee, Ufo };
    Kind kind;
    int32_t height;      // pixels above the bottom of the form; y = 640 - height
    int32_t start;       // world x, or kNone: start at the right end
    int32_t speed;       // sign is the direction; the step is |speed| + 1 pixels
    int32_t leftEnd;     // world x, or kNone for the default
    int32_t rightEnd;    // world x, or kNone for the default
};

// One layout. Ground and vegetation cells hold the tile strip's frame (from
// 0); a platform cell of 1 places a platform showing frame 0; kNone is an
// empty column (in the ground row, a hole).
struct Layout {
    const DataFiles::Picture* background;  // a full-screen picture of DataFiles::kPictures
    int32_t ground[kColumns];
    int32_t vegetation[kColumns];
    int32_t platform[kColumns];
    Entries<CoinPosition> coins;   // every coin must be taken to finish the level
    Entries<int32_t> fires;        // world x of each fire, in order
    Entries<EnemyEntry> enemies;   // in creation order
};

constexpr int kCoinsPerList = 18;

// The coins of the open layouts 1 to 6.
constexpr CoinPosition kCoinsOpen[] = {
    {0, 400},   {100, 500}, {150, 500}, {600, 500}, {650, 500}, {25, 430},
    {125, 530}, {175, 530}, {275, 430}, {325, 430}, {330, 340}, {380, 340},
    {430, 340}, {480, 340}, {580, 500}, {700, 430}, {650, 430}, {640, 550},
};

// The coins of layouts 7 and 8, raised where those layouts have holes.
constexpr CoinPosition kCoinsRaised[] = {
    {0, 400},   {100, 500}, {150, 500}, {600, 340}, {650, 340}, {25, 430},
    {125, 530}, {175, 530}, {275, 430}, {325, 430}, {330, 340}, {380, 340},
    {430, 340}, {480, 340}, {580, 430}, {700, 330}, {650, 430}, {610, 430},
};

static_assert(sizeof kCoinsOpen / sizeof kCoinsOpen[0] == kCoinsPerList, "18 coins in layouts 1-6");
static_assert(sizeof kCoinsRaised / sizeof kCoinsRaised[0] == kCoinsPerList, "18 coins in layouts 7-8");

constexpr int32_t kFiresDesert[] = {220, 250};
constexpr int32_t kFiresSnow[] = {250, 170};
constexpr int32_t kFiresCave[] = {250};

constexpr int32_t L = kLeftStep;
constexpr int32_t R = kRightStep;
constexpr EnemyEntry::Kind kBee = EnemyEntry::Bee;
constexpr EnemyEntry::Kind kUfo = EnemyEntry::Ufo;
static_assert(L / 4 == -2 && L / 2 == -4, "speeds of a quarter and a half step round toward zero");

constexpr EnemyEntry kEnemiesMeadow[] = {
    {kBee, 120, -1, L / 4, 290, 690}, {kBee, 220, 10, L / 4, 0, 690}, {kBee, 120, 50, L / 4, 0, 240}};
constexpr EnemyEntry kEnemiesDusk[] = {
    {kBee, 220, 100, L, -1, -1}, {kBee, 120, -1, L / 4, 290, 690}, {kBee, 120, 100, L / 2, 0, 240}};
constexpr EnemyEntry kEnemiesNight[] = {
    {kBee, 220, 100, L / 4, -1, -1}, {kBee, 120, 450, L / 2, 0, 690}, {kBee, 90, 680, L / 2, 0, 690}};
// Layouts 4 and 5 share their bees.
constexpr EnemyEntry kEnemiesMountainsForest[] = {
    {kBee, 90, 680, L / 2, 0, 690}, {kBee, 120, -1, L, -1, -1}, {kBee, 220, 100, L, -1, -1}};
constexpr EnemyEntry kEnemiesDesert[] = {
    {kBee, 200, 50, R, -1, -1}, {kBee, 220, 500, L, -1, -1}, {kBee, 90, 680, -2, 0, 690}};
constexpr EnemyEntry kEnemiesSnow[] = {
    {kUfo, 120, -1, L, -1, -1}, {kUfo, 220, 50, R, -1, -1}, {kUfo, 240, 500, L, -1, -1}};
constexpr EnemyEntry kEnemiesCave[] = {
    {kUfo, 120, -1, L, 0, 450}, {kUfo, 120, 70, L, 500, 800},
    {kUfo, 220, 50, R, -1, -1}, {kUfo, 240, 500, L, -1, -1}};

constexpr int32_t _ = kNone;  // keeps the column rows readable

// Layout 1 first.
constexpr Layout kLayouts[] = {
    {&DataFiles::kMeadow,
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {_, 6, _, _, _, _, 1, _, _, 4, _, _, _, 5, _, _, _, 6, _, _},
     {_, _, _, _, 1, 1, _, _, _, _, _, _, _, _, _, 1, _, _, _, _},
     EntriesOf(kCoinsOpen), NoEntries<int32_t>(), EntriesOf(kEnemiesMeadow)},
    {&DataFiles::kDusk,
     {0, 0, 0, 0, _, _, 0, 0, 0, 0, 0, _, _, 0, 0, 0, _, _, 0, 0},
     {_, 2, _, _, _, _, _, _, _, 6, _, _, _, 4, _, _, _, _, 5, _},
     {_, _, _, _, _, _, 1, 1, _, _, _, _, _, _, _, _, _, _, _, _},
     EntriesOf(kCoinsOpen), NoEntries<int32_t>(), EntriesOf(kEnemiesDusk)},
    {&DataFiles::kNight,
     {0, 0, 0, _, _, 0, 0, 0, _, _, 0, _, _, 0, 0, 0, 0, 0, 0, 0},
     {_, 3, _, _, _, _, _, _, _, _, _, _, _, _, _, _, 6, _, _, _},
     {_, _, _, _, _, 1, 1, 1, 1, 1, _, 1, 1, _, _, _, _, _, _, _},
     EntriesOf(kCoinsOpen), NoEntries<int32_t>(), EntriesOf(kEnemiesNight)},
    {&DataFiles::kMountains,
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, _, _, _, 0, 0, 0},
     {_, 1, _, 2, _, _, 1, _, _, 3, _, _, _, _, _, _, _, 4, _, _},
     {_, _, 1, 1, _, _, 1, 1, 1, _, _, _, _, _, _, 1, _, _, _, _},
     EntriesOf(kCoinsOpen), NoEntries<int32_t>(), EntriesOf(kEnemiesMountainsForest)},
    {&DataFiles::kForest,
     {0, 0, 0, 0, _, _, 0, _, _, 0, _, _, 0, _, _, 0, _, _, 0, 0},
     {_, 5, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _},
     {_, _, 1, 1, _, _, _, _, 1, 1, _, _, _, _, _, _, _, _, _, _},
     EntriesOf(kCoinsOpen), NoEntries<int32_t>(), EntriesOf(kEnemiesMountainsForest)},
    {&DataFiles::kDesert,
     {0, 0, 0, 0, 0, 0, 0, 0, 0, _, _, 0, 0, 0, 0, _, _, 0, 0, 0},
     {_, 1, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _},
     {_, _, 1, _, _, _, 1, _, _, 1, _, _, 1, _, _, _, _, _, _, _},
     EntriesOf(kCoinsOpen), EntriesOf(kFiresDesert), EntriesOf(kEnemiesDesert)},
    {&DataFiles::kSnow,
     {0, 0, 0, 0, 0, 0, 0, _, _, _, _, _, _, _, 0, 0, 0, 0, 0, 0},
     {_, 1, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _},
     {_, _, _, _, _, _, _, 1, 1, 1, 1, _, _, 1, 1, 1, _, _, _, _},
     EntriesOf(kCoinsRaised), EntriesOf(kFiresSnow), EntriesOf(kEnemiesSnow)},
    {&DataFiles::kCave,
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, _, _, _, _, _, _, _},
     {_, 6, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _},
     {_, _, _, _, _, 1, 1, _, _, _, 1, 1, _, _, 1, 1, _, _, 1, 1},
     EntriesOf(kCoinsRaised), EntriesOf(kFiresCave), EntriesOf(kEnemiesCave)},
};

constexpr int kLayoutCount = int(sizeof kLayouts / sizeof kLayouts[0]);

// The background of any number outside the table.
inline constexpr const DataFiles::Picture& kNoLayoutBackground = DataFiles::kBlank;

// Every layout's backdrop is a full-screen picture the game ships (so the
// generator draws it) and a coin list of the size the game counts.
constexpr bool EveryLayoutIsShipped()
{
    for (const Layout& layout : kLayouts) {
        if (layout.background == nullptr || !DataFiles::IsShipped(*layout.background) ||
            layout.background->width != DataFiles::kFrameWidth || layout.background->height != DataFiles::kFrameHeight)
            return false;
        if (layout.coins.count == 0)
            return false;
    }
    return true;
}
static_assert(EveryLayoutIsShipped(), "each layout needs a backdrop from DataFiles::kPictures and its coins");

// The layout a level plays: 1 to kLayoutCount, repeating, for any level from 1 up.
int LayoutOf(int level);

// The record of a layout (1 to kLayoutCount); null outside.
const Layout* Find(int layout);

// Background picture of a layout; Data/blank.bin outside the table.
const DataFiles::Picture& BackgroundOf(int layout);

// Coins of a layout; empty outside the table.
Entries<CoinPosition> CoinsOf(int layout);
// Number of coins a level of that layout must collect (0 outside the table).
int CoinCount(int layout);

// Fire positions of a layout; empty for layouts without fires.
Entries<int32_t> FiresOf(int layout);

// The enemy row of a layout; empty outside the table.
Entries<EnemyEntry> EnemiesOf(int layout);

// Column value of a row for a layout; kNone outside the table.
int32_t GroundAt(int layout, int column);
int32_t VegetationAt(int layout, int column);
int32_t PlatformAt(int layout, int column);

}  // namespace Layouts
