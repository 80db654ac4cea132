// The installed game played to its end by an unprivileged user with an empty
// home, on the test run's X server: the result goes into that user's own
// folder and the read-only installed tree stays as it was.
#include <gtest/gtest.h>

#include "tests/e2e/GameProcess.h"
#include "tests/install/InstallSupport.h"

#include <X11/keysym.h>
#include <sys/stat.h>

TEST(InstalledGame, APlayersResultGoesIntoTheirOwnFolderAndTheTreeStaysAsItWas)
{
    SharedDir dir;
    const std::string tree = dir.File("usr"), home = dir.File("home");
    ASSERT_TRUE(Install(tree));
    ASSERT_EQ(RunProgram({"/bin/chmod", "-R", "a-w", tree}).status, 0);
    const std::string before = Snapshot(tree);
    ASSERT_EQ(mkdir(home.c_str(), 0700), 0);
    GiveToPlayer(home);

    GameProcess game;
    ASSERT_TRUE(game.Launch(tree + "/" + kLauncher, GameProcess::kTitle, {home, Player().uid, Player().gid}))
        << game.Problem();
    ASSERT_NO_FATAL_FAILURE(LoseEveryLife(game));
    ASSERT_NE(game.FindWindow("Classifica", 5000), 0u);
    game.Type("mario");
    game.Key(XK_Return);
    const std::string table = home + "/.local/share/bruvo-stage-krodel/Data/Bruvo Stage Krodel/Score/Classifica.txt";
    for (int i = 0; i < 100 && ReadFileBytes(table).empty(); ++i)
        GameProcess::Pause(50);
    EXPECT_EQ(ReadFileBytes(table), "00000000 mario        Level 2\n");
    struct stat info {};
    EXPECT_EQ(stat(table.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, Player().uid);
    EXPECT_EQ(game.Close(), 0);
    EXPECT_EQ(Snapshot(tree), before);
}
