// The eight built-in level layouts: background, the three column tables of
// tiles, the coin lists, the fire positions and the enemy rows. Plain data,
// no X: FormMain builds a level from these tables (LevelBuild.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace Layouts {

constexpr int kLayoutCount = 8;
constexpr int kColumns = 20;          // columns of a layout, each 64 pixels wide
constexpr int kColumnWidth = 64;      // pixels
constexpr int32_t kNone = -1;         // nothing in this column / default end / start at the right end

// Walking steps of the player, pixels per step; the enemies' speeds are made of them.
constexpr int32_t kLeftStep = -8;
constexpr int32_t kRightStep = +8;

// Rows of tiles, y of the top-left corner in form pixels.
constexpr int32_t kGroundY = 640 - 64;              // 576
constexpr int32_t kVegetationY = 576 - 64;          // 512
constexpr int32_t kPlatformY = 576 - 64 - 60;       // 452
constexpr int32_t kFireY = 640 - 30 - 64;           // 546

// Column tables, one row per layout (layout 1 first). Ground and vegetation
// hold the tile strip's frame (from 0); platform 1 means a platform showing frame 0.
constexpr int32_t kGround[kLayoutCount][kColumns] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, -1, -1, 0, 0, 0, 0, 0, -1, -1, 0, 0, 0, -1, -1, 0, 0},
    {0, 0, 0, -1, -1, 0, 0, 0, -1, -1, 0, -1, -1, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, 0, 0, 0},
    {0, 0, 0, 0, -1, -1, 0, -1, -1, 0, -1, -1, 0, -1, -1, 0, -1, -1, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, 0, 0, 0, 0, -1, -1, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, -1, -1, -1},
};

constexpr int32_t kVegetation[kLayoutCount][kColumns] = {
    {-1, 6, -1, -1, -1, -1, 1, -1, -1, 4, -1, -1, -1, 5, -1, -1, -1, 6, -1, -1},
    {-1, 2, -1, -1, -1, -1, -1, -1, -1, 6, -1, -1, -1, 4, -1, -1, -1, -1, 5, -1},
    {-1, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 6, -1, -1, -1},
    {-1, 1, -1, 2, -1, -1, 1, -1, -1, 3, -1, -1, -1, -1, -1, -1, -1, 4, -1, -1},
    {-1, 5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
};

constexpr int32_t kPlatform[kLayoutCount][kColumns] = {
    {-1, -1, -1, -1, 1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, 1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, 1, 1, 1, 1, 1, -1, 1, 1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, 1, 1, -1, -1, 1, 1, 1, -1, -1, -1, -1, -1, -1, 1, -1, -1, -1, -1},
    {-1, -1, 1, 1, -1, -1, -1, -1, 1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, 1, -1, -1, -1, 1, -1, -1, 1, -1, -1, 1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, -1, 1, 1, 1, 1, -1, -1, 1, 1, 1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, 1, 1, -1, -1, -1, 1, 1, -1, -1, 1, 1, -1, -1, 1, 1},
};

static_assert(sizeof kGround / sizeof kGround[0][0] == kLayoutCount * kColumns, "ground: 8 x 20");
static_assert(sizeof kVegetation / sizeof kVegetation[0][0] == kLayoutCount * kColumns, "vegetation: 8 x 20");
static_assert(sizeof kPlatform / sizeof kPlatform[0][0] == kLayoutCount * kColumns, "platform: 8 x 20");

// Coins: world x and y of the top-left corner, in collection-list order.
struct CoinPosition {
    int32_t x;
    int32_t y;
};

constexpr int kCoinsPerList = 18;

// Layouts 1 to 6.
constexpr CoinPosition kCoinsFirst[] = {
    {0, 400},   {100, 500}, {150, 500}, {600, 500}, {650, 500}, {25, 430},
    {125, 530}, {175, 530}, {275, 430}, {325, 430}, {330, 340}, {380, 340},
    {430, 340}, {480, 340}, {580, 500}, {700, 430}, {650, 430}, {640, 550},
};

// Layouts 7 and 8.
constexpr CoinPosition kCoinsSecond[] = {
    {0, 400},   {100, 500}, {150, 500}, {600, 340}, {650, 340}, {25, 430},
    {125, 530}, {175, 530}, {275, 430}, {325, 430}, {330, 340}, {380, 340},
    {430, 340}, {480, 340}, {580, 430}, {700, 330}, {650, 430}, {610, 430},
};

static_assert(sizeof kCoinsFirst / sizeof kCoinsFirst[0] == kCoinsPerList, "18 coins in layouts 1-6");
static_assert(sizeof kCoinsSecond / sizeof kCoinsSecond[0] == kCoinsPerList, "18 coins in layouts 7-8");

// Fires: world x of each fire, in order.
constexpr int32_t kFiresLayout6[] = {220, 250};
constexpr int32_t kFiresLayout7[] = {250, 170};
constexpr int32_t kFiresLayout8[] = {250};

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

constexpr int32_t L = kLeftStep;
constexpr int32_t R = kRightStep;
constexpr EnemyEntry::Kind kBee = EnemyEntry::Bee;
constexpr EnemyEntry::Kind kUfo = EnemyEntry::Ufo;

constexpr EnemyEntry kEnemies1[] = {
    {kBee, 120, -1, L / 4, 290, 690}, {kBee, 220, 10, L / 4, 0, 690}, {kBee, 120, 50, L / 4, 0, 240}};
constexpr EnemyEntry kEnemies2[] = {
    {kBee, 220, 100, L, -1, -1}, {kBee, 120, -1, L / 4, 290, 690}, {kBee, 120, 100, L / 2, 0, 240}};
constexpr EnemyEntry kEnemies3[] = {
    {kBee, 220, 100, L / 4, -1, -1}, {kBee, 120, 450, L / 2, 0, 690}, {kBee, 90, 680, L / 2, 0, 690}};
constexpr EnemyEntry kEnemies4And5[] = {
    {kBee, 90, 680, L / 2, 0, 690}, {kBee, 120, -1, L, -1, -1}, {kBee, 220, 100, L, -1, -1}};
constexpr EnemyEntry kEnemies6[] = {
    {kBee, 200, 50, R, -1, -1}, {kBee, 220, 500, L, -1, -1}, {kBee, 90, 680, -2, 0, 690}};
constexpr EnemyEntry kEnemies7[] = {
    {kUfo, 120, -1, L, -1, -1}, {kUfo, 220, 50, R, -1, -1}, {kUfo, 240, 500, L, -1, -1}};
constexpr EnemyEntry kEnemies8[] = {
    {kUfo, 120, -1, L, 0, 450}, {kUfo, 120, 70, L, 500, 800},
    {kUfo, 220, 50, R, -1, -1}, {kUfo, 240, 500, L, -1, -1}};

static_assert(L / 4 == -2 && L / 2 == -4, "speeds of a quarter and a half step round toward zero");

// A read-only run of table entries.
template <typename T>
struct Entries {
    const T* items;
    int count;
    const T* begin() const { return items; }
    const T* end() const { return items + count; }
};

// ((level - 1) mod 8) + 1, for any level from 1 up; 8 when level mod 8 is 0.
int LayoutOf(int level);

// Background file of a layout, "Data/" included; "Data/blank.bin" for a number outside 1-8.
std::string BackgroundPath(int layout);

// Coins of a layout; empty outside 1-8.
Entries<CoinPosition> CoinsOf(int layout);
// Number of coins a level of that layout must collect (0 outside 1-8).
int CoinCount(int layout);

// Fire positions of a layout; empty for layouts without fires.
Entries<int32_t> FiresOf(int layout);

// The enemy row of a layout; empty outside 1-8.
Entries<EnemyEntry> EnemiesOf(int layout);

// Column value of a table for a layout; kNone outside the table.
int32_t GroundAt(int layout, int column);
int32_t VegetationAt(int layout, int column);
int32_t PlatformAt(int layout, int column);

}  // namespace Layouts
