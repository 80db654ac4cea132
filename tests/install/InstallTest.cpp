// The tree cmake --install lays out, and its launcher: each player's own
// folder prepared from the read-only tree, beside what ./play.sh leaves
// there, and one line saying why when it cannot be.
#include "tests/common/Process.h"
#include "tests/install/InstallSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
const std::string kSays = "bruvo-stage-krodel: ";  // the launcher's own lines
const std::string kTable = "/Data/Bruvo Stage Krodel/Score/Classifica.txt";

// The player starts the launcher without a display: the game it starts ends at once.
Outcome Start(const std::string& tree, const std::string& home, const std::string& dataHome = "",
              std::vector<std::string> argv = {}, const std::string& from = "/")
{
    argv.insert(argv.begin(), tree + "/" + kLauncher);
    return RunAsPlayer(argv, from, {"HOME=" + home, dataHome.empty() ? "XDG_DATA_HOME" : "XDG_DATA_HOME=" + dataHome,
                                    "DISPLAY", "LC_ALL=C"});
}

// How many of the tree's Data files the player's folder reaches through links.
size_t LinksInto(const std::string& folder, const std::string& tree)
{
    size_t linked = 0;
    std::error_code error;
    for (const std::string& name : FilesOf(tree + "/" + kInstalledData))
        linked += fs::read_symlink(folder + "/Data/" + name, error) == tree + "/" + kInstalledData + "/" + name;
    return linked;
}
}  // namespace

TEST(InstalledTree, HoldsTheGameAndDesktopFilesThatValidate)
{
    SharedDir dir;
    const std::string prefix = dir.File("prefix");
    ASSERT_TRUE(Install(prefix));
    EXPECT_EQ(FilesOf(prefix + "/" + kInstalledData), FilesOf(GameDir() + "/Data"));
    const Outcome appstream = RunProgram({"/usr/bin/appstreamcli", "validate-tree", "--no-net", prefix});
    EXPECT_EQ(appstream.status, 0) << appstream.output;
    const Outcome others = RunProgram({"/bin/sh", "-c",
                                       "cd \"$0\" && desktop-file-validate share/applications/*.desktop && "
                                       "zcat share/man/man6/bruvo-stage-krodel.6.gz | groff -man -ww -z -Tutf8",
                                       prefix});
    EXPECT_EQ(others.status, 0);
    EXPECT_EQ(others.output, "");

    // The metainfo's screenshots are the README's.
    const std::string metainfo = ReadFileBytes(prefix + "/share/metainfo/" + FilesOf(prefix + "/share/metainfo").at(0));
    const std::string readme = ReadFileBytes(BRUVO_SOURCE_DIR "/README.md");
    int screenshots = 0;
    for (size_t at = metainfo.find("/docs/"); at != std::string::npos; at = metainfo.find("/docs/", at + 1)) {
        const std::string image = metainfo.substr(at + 1, metainfo.find('<', at) - at - 1);
        EXPECT_NE(readme.find("](" + image + ")"), std::string::npos) << image;
        ++screenshots;
    }
    EXPECT_EQ(screenshots, 3);
}

// Installed with DESTDIR, and copied: the links follow the tree the launcher
// belongs to, whichever of it and ./play.sh filled the folder last, and the
// player's own files stay.
TEST(Launcher, LinksThePlayersFolderToItsTreeBesideThePlayersOwnFiles)
{
    SharedDir dir;
    ASSERT_TRUE(Install("/opt/bruvo", dir.File("stage")));
    const std::string tree = dir.File("stage/opt/bruvo"), home = dir.File("home");
    const std::string folder = home + "/.local/share/bruvo-stage-krodel";
    ASSERT_EQ(RunProgram({"/bin/chmod", "-R", "a-w", tree}).status, 0);
    const std::string before = Snapshot(tree);

    // As ./play.sh leaves it, with a table and a link an older version made.
    const std::vector<std::string> playSh = {BRUVO_SOURCE_DIR "/tools/install-game-folder.sh", GameDir(), folder};
    ASSERT_EQ(RunProgram(playSh).status, 0);
    fs::create_directories(folder + "/Data/Bruvo Stage Krodel/Score");
    std::ofstream(folder + kTable) << "00000350 Mario        Level 3\n";
    fs::create_symlink("/gone/old.bin", folder + "/Data/old.bin");
    GiveToPlayer(home);
    EXPECT_EQ(Start(tree, home).output.find(kSays), std::string::npos);
    EXPECT_EQ(LinksInto(folder, tree), FilesOf(tree + "/" + kInstalledData).size());
    EXPECT_FALSE(fs::is_symlink(folder + "/Data/old.bin"));

    // ./play.sh after it replaces the links instead of writing through them.
    ASSERT_EQ(RunProgram(playSh).status, 0);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder + "/Data/ape.bin")));
    EXPECT_EQ(Snapshot(tree), before);

    // A copy whose game tells where it runs and what it is given.
    const std::string copy = dir.File("copy"), game = copy + "/lib/games/bruvo-stage-krodel/bruvo";
    ASSERT_EQ(RunProgram({"/bin/cp", "-a", tree, copy}).status, 0);
    ASSERT_EQ(RunProgram({"/bin/chmod", "-R", "u+w", copy}).status, 0);
    std::ofstream(game) << "#!/bin/sh\necho \"$(pwd -P)\" \"$@\"\n";
    const Outcome started = Start(copy, home, "", {"--record", "a", "--replay", "/b", "c"}, dir.Path());
    EXPECT_EQ(started.output, folder + " --record " + dir.Path() + "/a --replay /b c\n");
    EXPECT_EQ(LinksInto(folder, copy), FilesOf(copy + "/" + kInstalledData).size());
    EXPECT_EQ(ReadFileBytes(folder + kTable), "00000350 Mario        Level 3\n");
    EXPECT_EQ(Snapshot(tree), before);
}

// One line on the terminal, the same as the log of the start when the
// player's folder is there, and nothing left that keeps the next start from
// preparing the folder once the cause is gone.
TEST(Launcher, SaysInOneLineWhyItCannotStartAndStartsOnceTheCauseIsGone)
{
    SharedDir dir;
    const std::string tree = dir.File("tree"), data = tree + "/" + kInstalledData, locked = dir.File("locked");
    const std::string home = dir.File("home"), folder = home + "/.local/share/bruvo-stage-krodel";
    ASSERT_TRUE(Install(tree));
    fs::create_directories(home + "/.local/share");
    ASSERT_EQ(mkdir(locked.c_str(), 0555), 0);
    struct Case {
        std::string dataHome;  // empty: XDG_DATA_HOME unset
        std::function<void()> spoil, mend;
        std::string line;
        bool logged;
    };
    const Case cases[] = {
        {locked, [] {}, [&] { chmod(locked.c_str(), 0777); },
         "cannot make the player's folder " + locked + "/bruvo-stage-krodel: Permission denied", false},
        {"", [&] { std::ofstream(folder) << "x"; }, [&] { fs::remove(folder); },
         "cannot make the player's folder " + folder + ": " + folder + " is a file in the way", false},
        {"", [&] { fs::create_directories(folder); std::ofstream(folder + "/Data") << "x"; },
         [&] { fs::remove(folder + "/Data"); },
         "cannot make the player's folder " + folder + ": " + folder + "/Data is a file in the way", true},
        {"", [&] { fs::create_directories(folder + "/Data/Bruvo Stage Krodel/Score"); chmod(folder.c_str(), 0555); },
         [&] { chmod(folder.c_str(), 0755); }, "the player's folder " + folder + " is not writable", false},
        {"", [&] { fs::rename(data + "/ufo.bin", dir.File("ufo.bin")); },
         [&] { fs::rename(dir.File("ufo.bin"), data + "/ufo.bin"); },
         "the installed game is incomplete: " + data + "/ufo.bin is missing", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        c.spoil();
        GiveToPlayer(home);
        const std::string player = c.dataHome.empty() ? folder : c.dataHome + "/bruvo-stage-krodel";
        const Outcome refused = Start(tree, home, c.dataHome);
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.output, kSays + c.line + "\n");
        EXPECT_EQ(ReadFileBytes(player + "/log.txt"), c.logged ? refused.output : "");
        c.mend();
        EXPECT_EQ(Start(tree, home, c.dataHome).output.find(kSays), std::string::npos);
        EXPECT_EQ(LinksInto(player, tree), FilesOf(data).size());
        fs::remove_all(player);
    }
}
