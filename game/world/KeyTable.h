// KeyTable: which keys the game form considers held down, one byte flag per
// key code 0..255. The four cursor keys share the slots of the letters that
// act like them (Left a, Right d, Up w, Down x); any other code above 255 is
// ignored. Capital letters (Shift, Caps Lock) use the slots of the small
// ones. Needs no X: key codes are X key symbols passed as plain numbers.
#pragma once

#include <cstdint>

class KeyTable {
public:
    static constexpr int kSlots = 256;

    // X key symbols of the cursor keys and the letters they are folded onto.
    static constexpr uint32_t kLeft = 0xFF51;
    static constexpr uint32_t kUp = 0xFF52;
    static constexpr uint32_t kRight = 0xFF53;
    static constexpr uint32_t kDown = 0xFF54;
    static constexpr int kLeftSlot = 'a';   // 97
    static constexpr int kRightSlot = 'd';  // 100
    static constexpr int kUpSlot = 'w';     // 119
    static constexpr int kDownSlot = 'x';   // 120

    KeyTable() { Reset(); }

    // All flags cleared, single-key mode on.
    void Reset();

    // In single-key mode (the game's) a key down first releases every other
    // key, so only the most recently pressed key counts as held.
    void KeyDown(uint32_t code);
    void KeyUp(uint32_t code);
    // Every key up; the mode stays.
    void ReleaseAll();
    bool IsKeyDown(uint32_t code) const;

    void SetSingleKey(bool flag) { singleKey = flag; }
    bool IsSingleKey() const { return singleKey; }

    // The slot a code uses, or -1 when the code has none.
    static constexpr int SlotOf(uint32_t code)
    {
        switch (code) {
        case kLeft: return kLeftSlot;
        case kRight: return kRightSlot;
        case kUp: return kUpSlot;
        case kDown: return kDownSlot;
        default:
            if (code >= 'A' && code <= 'Z')
                return static_cast<int>(code - 'A' + 'a');
            return code < kSlots ? static_cast<int>(code) : -1;
        }
    }

private:
    uint8_t flags[kSlots];
    bool singleKey = true;
};

static_assert(KeyTable::SlotOf(KeyTable::kLeft) == 'a' && KeyTable::SlotOf('a') == 'a',
              "Left and a share a slot");
static_assert(KeyTable::SlotOf('D') == 'd', "capitals share the slots of the small letters");
static_assert(KeyTable::SlotOf(0x100) == -1, "codes above 255 other than the cursor keys have no slot");
