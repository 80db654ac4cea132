#include "game/world/KeyTable.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyTable, StartsEmptyInSingleKeyMode)
{
    KeyTable table;
    EXPECT_TRUE(table.IsSingleKey());
    for (uint32_t code = 0; code < 256; ++code)
        EXPECT_FALSE(table.IsKeyDown(code)) << code;
}

TEST(KeyTable, CursorKeysShareTheSlotsOfTheirLetters)
{
    const struct { uint32_t cursor; char letter; } pairs[] = {
        {0xFF51, 'a'}, {0xFF53, 'd'}, {0xFF52, 'w'}, {0xFF54, 'x'}};
    for (const auto& pair : pairs) {
        KeyTable table;
        table.KeyDown(static_cast<uint32_t>(pair.letter));
        EXPECT_TRUE(table.IsKeyDown(pair.cursor)) << pair.letter;
        table.KeyUp(pair.cursor);
        EXPECT_FALSE(table.IsKeyDown(static_cast<uint32_t>(pair.letter))) << pair.letter;
        table.KeyDown(pair.cursor);
        EXPECT_TRUE(table.IsKeyDown(static_cast<uint32_t>(pair.letter))) << pair.letter;
    }
}

TEST(KeyTable, CapitalsActLikeTheSmallLettersAndTheCursorKeys)
{
    KeyTable table;
    table.KeyDown('D');  // Caps Lock or Shift held
    EXPECT_TRUE(table.IsKeyDown(0xFF53));
    EXPECT_TRUE(table.IsKeyDown('d'));
    table.KeyUp('d');  // Caps Lock switched off before the release
    EXPECT_FALSE(table.IsKeyDown('D'));
    table.KeyDown('A');
    table.KeyUp(0xFF51);
    EXPECT_FALSE(table.IsKeyDown('a'));
    // Other characters keep their own slots.
    table.KeyDown('@');
    EXPECT_FALSE(table.IsKeyDown('`'));
    EXPECT_TRUE(table.IsKeyDown('@'));
}

TEST(KeyTable, ReleaseAllLetsGoOfEveryKeyAndKeepsTheMode)
{
    KeyTable table;
    table.SetSingleKey(false);
    table.KeyDown(0xFF51);
    table.KeyDown('w');
    table.ReleaseAll();
    EXPECT_FALSE(table.IsKeyDown(0xFF51));
    EXPECT_FALSE(table.IsKeyDown('w'));
    EXPECT_FALSE(table.IsSingleKey());
}

TEST(KeyTable, PressingUpWhileRightIsHeldLeavesNothingDownAfterUpIsReleased)
{
    KeyTable table;
    table.KeyDown(KeyTable::kRight);
    ASSERT_TRUE(table.IsKeyDown(KeyTable::kRight));
    table.KeyDown(KeyTable::kUp);
    EXPECT_FALSE(table.IsKeyDown(KeyTable::kRight));
    EXPECT_TRUE(table.IsKeyDown(KeyTable::kUp));
    table.KeyUp(KeyTable::kUp);
    for (uint32_t code = 0; code < 256; ++code)
        EXPECT_FALSE(table.IsKeyDown(code)) << code;
    EXPECT_FALSE(table.IsKeyDown(KeyTable::kRight));
    table.KeyDown(KeyTable::kRight);  // the keyboard's repeat brings it back
    EXPECT_TRUE(table.IsKeyDown(KeyTable::kRight));
}

TEST(KeyTable, CodesAboveTwoFiftyFiveOtherThanCursorKeysChangeNothing)
{
    KeyTable table;
    table.KeyDown('d');
    const uint32_t others[] = {0x100, 0xFF50, 0xFF55, 0xFFE1 /* Shift_L */, 0xFF0D, 0x1000061};
    for (uint32_t code : others) {
        table.KeyDown(code);
        EXPECT_TRUE(table.IsKeyDown('d')) << code;  // not cleared by the single-key rule
        EXPECT_FALSE(table.IsKeyDown(code)) << code;
        table.KeyUp(code);
        EXPECT_TRUE(table.IsKeyDown('d')) << code;
    }
    // 0x161 must not alias slot 0x61 ('a').
    table.KeyDown(0x161);
    EXPECT_FALSE(table.IsKeyDown('a'));
}

TEST(KeyTable, WithoutSingleKeySeveralKeysAreHeld)
{
    KeyTable table;
    table.SetSingleKey(false);
    table.KeyDown(KeyTable::kRight);
    table.KeyDown(KeyTable::kUp);
    EXPECT_TRUE(table.IsKeyDown('d'));
    EXPECT_TRUE(table.IsKeyDown('w'));
    table.KeyUp('w');
    EXPECT_TRUE(table.IsKeyDown(KeyTable::kRight));
    table.Reset();
    EXPECT_FALSE(table.IsKeyDown(KeyTable::kRight));
    EXPECT_TRUE(table.IsSingleKey());
}

}  // namespace
