#include "game/world/KeyTable.h"

#include <cstring>

void KeyTable::Reset()
{
    std::memset(flags, 0, sizeof flags);
    singleKey = true;
}

void KeyTable::KeyDown(uint32_t code)
{
    const int slot = SlotOf(code);
    if (slot < 0)
        return;
    if (singleKey)
        std::memset(flags, 0, sizeof flags);
    flags[slot] = 1;
}

void KeyTable::KeyUp(uint32_t code)
{
    const int slot = SlotOf(code);
    if (slot >= 0)
        flags[slot] = 0;
}

void KeyTable::ReleaseAll() { std::memset(flags, 0, sizeof flags); }

bool KeyTable::IsKeyDown(uint32_t code) const
{
    const int slot = SlotOf(code);
    return slot >= 0 && flags[slot] != 0;
}
