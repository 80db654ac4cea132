#include "game/world/LevelLayouts.h"

namespace Layouts {

namespace {
int32_t Cell(const int32_t (Layout::*row)[kColumns], int layout, int column)
{
    const Layout* record = Find(layout);
    if (record == nullptr || column < 0 || column >= kColumns)
        return kNone;
    return (record->*row)[column];
}
}  // namespace

int LayoutOf(int level)
{
    const int rest = level % kLayoutCount;
    return rest == 0 ? kLayoutCount : rest;
}

const Layout* Find(int layout)
{
    return layout >= 1 && layout <= kLayoutCount ? &kLayouts[layout - 1] : nullptr;
}

const DataFiles::Picture& BackgroundOf(int layout)
{
    const Layout* record = Find(layout);
    return record != nullptr ? *record->background : kNoLayoutBackground;
}

Entries<CoinPosition> CoinsOf(int layout)
{
    const Layout* record = Find(layout);
    return record != nullptr ? record->coins : NoEntries<CoinPosition>();
}

int CoinCount(int layout) { return CoinsOf(layout).count; }

Entries<int32_t> FiresOf(int layout)
{
    const Layout* record = Find(layout);
    return record != nullptr ? record->fires : NoEntries<int32_t>();
}

Entries<EnemyEntry> EnemiesOf(int layout)
{
    const Layout* record = Find(layout);
    return record != nullptr ? record->enemies : NoEntries<EnemyEntry>();
}

int32_t GroundAt(int layout, int column) { return Cell(&Layout::ground, layout, column); }
int32_t VegetationAt(int layout, int column) { return Cell(&Layout::vegetation, layout, column); }
int32_t PlatformAt(int layout, int column) { return Cell(&Layout::platform, layout, column); }

}  // namespace Layouts
