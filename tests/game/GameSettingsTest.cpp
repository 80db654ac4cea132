// The player's settings file: read back as written, defaults for what is
// missing or wrong, and a folder that cannot take the file costs only the file.
#include "game/GameSettings.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

    // A folder the file cannot be written in: logged, and the old file stays whole.
    folder.Write("settings.cfg", "FreeKeys= 1\n");
    ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);
    GameSettings other;
    const bool saved = other.Save("settings.cfg");
    chmod(folder.Path().c_str(), 0755);
    if (geteuid() != 0) {
        EXPECT_FALSE(saved);
        EXPECT_EQ(folder.Read("settings.cfg"), "FreeKeys= 1\n");
    }
}
