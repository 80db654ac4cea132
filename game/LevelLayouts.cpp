#include "game/LevelLayouts.h"

namespace Layouts {

namespace {
constexpr const char* kBackgrounds[kLayoutCount] = {
    "sfondopre1.bin", "sfondopre2.bin", "sfondopre3.bin", "sfondo.bin",
    "sfondo2.bin",    "sfondo3.bin",    "sfondo4.bin",    "sfondo5.bin",
};

bool Valid(int layout) { return layout >= 1 && layout <= kLayoutCount; }

template <typename T, int N>
constexpr Entries<T> EntriesOf(const T (&items)[N])
{
    return Entries<T>{items, N};
}

int32_t Cell(const int32_t (&table)[kLayoutCount][kColumns], int layout, int column)
{
    if (!Valid(layout) || column < 0 || column >= kColumns)
        return kNone;
    return table[layout - 1][column];
}
}  // namespace

int LayoutOf(int level)
{
    const int rest = level % 8;
    return rest == 0 ? 8 : rest;
}

std::string BackgroundPath(int layout)
{
    return std::string("Data/") + (Valid(layout) ? kBackgrounds[layout - 1] : "blank.bin");
}

Entries<CoinPosition> CoinsOf(int layout)
{
    if (!Valid(layout))
        return {nullptr, 0};
    return layout <= 6 ? EntriesOf(kCoinsFirst) : EntriesOf(kCoinsSecond);
}

int CoinCount(int layout) { return CoinsOf(layout).count; }

Entries<int32_t> FiresOf(int layout)
{
    switch (layout) {
    case 6: return EntriesOf(kFiresLayout6);
    case 7: return EntriesOf(kFiresLayout7);
    case 8: return EntriesOf(kFiresLayout8);
    default: return {nullptr, 0};
    }
}

Entries<EnemyEntry> EnemiesOf(int layout)
{
    switch (layout) {
    case 1: return EntriesOf(kEnemies1);
    case 2: return EntriesOf(kEnemies2);
    case 3: return EntriesOf(kEnemies3);
    case 4:
    case 5: return EntriesOf(kEnemies4And5);
    case 6: return EntriesOf(kEnemies6);
    case 7: return EntriesOf(kEnemies7);
    case 8: return EntriesOf(kEnemies8);
    default: return {nullptr, 0};
    }
}

int32_t GroundAt(int layout, int column) { return Cell(kGround, layout, column); }
int32_t VegetationAt(int layout, int column) { return Cell(kVegetation, layout, column); }
int32_t PlatformAt(int layout, int column) { return Cell(kPlatform, layout, column); }

}  // namespace Layouts
