// The player's settings file: read back as written, defaults for what is
// missing or wrong, and a folder that cannot take the file costs only the file.
#include "game/GameSettings.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(GameSettings, AreReadAsWrittenWithDefaultsForWhatIsMissingOrWrong)
{
    TempDir folder;
    folder.Enter();
    EXPECT_FALSE(GameSettings::Load("settings.cfg").freeKeys) << "no file: one key at a time";
    GameSettings chosen;
    chosen.freeKeys = true;
    ASSERT_TRUE(chosen.Save("settings.cfg"));
    EXPECT_EQ(folder.Read("settings.cfg"), "FreeKeys= 1\n");
    EXPECT_TRUE(GameSettings::Load("settings.cfg").freeKeys);

    const std::string longLine(300, 'x');
    const struct {
        const char* text;
        bool freeKeys;
        const char* logged;
    } cases[] = {
        {"  FreeKeys =1 \n", true, ""},
        {"Other= 1\nFreeKeys= 0\n", false, ""},
        {"FreeKeys= yes\n", false, "settings.cfg: FreeKeys must be 0 or 1, not \"yes\": keys one at a time\n"},
        {"FreeKeys\n=1\n\n", false, ""},
        {longLine.c_str(), false, nullptr},
    };
    for (const auto& c : cases) {
        folder.Write("settings.cfg", c.text);
        std::remove("log.txt");
        EXPECT_EQ(GameSettings::Load("settings.cfg").freeKeys, c.freeKeys) << c.text;
        if (c.logged != nullptr) {
            EXPECT_EQ(folder.Read("log.txt"), c.logged) << c.text;
        }
    }

    // A place the file cannot be written (for root too): logged, and false.
    std::remove("log.txt");
    EXPECT_FALSE(GameSettings().Save("missing/settings.cfg"));
    EXPECT_NE(folder.Read("log.txt").find("missing/settings.cfg cannot be written"), std::string::npos);
}
