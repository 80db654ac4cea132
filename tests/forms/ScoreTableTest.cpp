// The high-score file in a temporary working folder.
#include "forms/ScoreTable.h"
#include "support/FileUtil.h"
#include "support/StringUtil.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>

#include <fcntl.h>
#include <ftw.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kTitle = "Bruvo Stage Krodel";
constexpr const char* kFile = "Data/Bruvo Stage Krodel/Score/Classifica.txt";
constexpr const char* kFolder = "Data/Bruvo Stage Krodel/Score";

// The rest of a line as the game builds it: the padded name and the level.
std::string Rest(const std::string& name, int level)
{
    return PadRight(name, ' ', 12) + " Level " + std::to_string(level);
}

std::string Line(int score, const std::string& name, int level)
{
    return FormatLong(score, '0', 8) + " " + Rest(name, level);
}

// Ten lines with the scores 1000, 2000 ... 10000, best first.
std::string TenLines()
{
    std::string text;
    for (int i = 10; i >= 1; --i)
        text += Line(i * 1000, "Player" + std::to_string(i), i) + "\n";
    return text;
}

constexpr uid_t kNobody = 65534;   // the unprivileged user and group
constexpr int kChildWaitMs = 60000;

int ChownToNobody(const char* path, const struct stat*, int, FTW*)
{
    return lchown(path, kNobody, kNobody);
}

// Runs body in a child process; when the tests run as root (which ignores
// permission bits) the child first becomes the unprivileged user, after the
// folder is handed to it (all but rootsFile, which stays root's). Gives the
// body's exit code, or -1 when the child died, could not drop its privileges
// or did not end in time.
int InChildProcess(const std::string& folder, const std::function<int()>& body, const char* rootsFile = nullptr)
{
    const bool root = geteuid() == 0;
    if (root && nftw(folder.c_str(), ChownToNobody, 16, FTW_PHYS) != 0)
        return -1;
    if (root && rootsFile != nullptr && lchown(rootsFile, 0, 0) != 0)
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        if (root && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(120);
        _exit(body());
    }
    int status = 0;
    for (int waited = 0; waited < kChildWaitMs; waited += 10) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) != 120 ? WEXITSTATUS(status) : -1;
        usleep(10 * 1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

// What an unprivileged player meets, run in a child process: 1 when AddScore
// answered true, 0 when it answered false.
int AddScoreInChild(const std::string& folder, const char* rootsFile = nullptr)
{
    return InChildProcess(
        folder,
        [] {
            ScoreTable table(kTitle);
            return table.AddScore(99999, Rest("Best", 8)) ? 1 : 0;
        },
        rootsFile);
}

class ScoreTableTest : public ::testing::Test {
protected:
    void SetUp() override { dir.Enter(); }
    void TearDown() override { ScoreTable::SetWriteFunction(nullptr); }

    void Store(const std::string& text)
    {
        ASSERT_EQ(ScoreTable::ScoreFolder(kTitle), std::string(kFolder) + "/");
        dir.Write(kFile, text);
    }
    std::string Stored() const { return dir.Read(kFile); }
    std::string Best()
    {
        const std::vector<std::string> lines = table.Load();
        return lines.empty() ? "" : lines.front();
    }

    TempDir dir;
    ScoreTable table{kTitle};
};

TEST_F(ScoreTableTest, FirstResultCreatesTheFoldersAndTheFile)
{
    EXPECT_TRUE(table.Load().empty());
    EXPECT_FALSE(table.Failed());
    ASSERT_FALSE(FileExists(kFile));
    EXPECT_TRUE(table.AddScore(350, Rest("Mario", 3)));
    EXPECT_EQ(Stored(), "00000350 Mario        Level 3\n");
    EXPECT_EQ(std::string("00000350 Mario        Level 3").size(), 29u);
    EXPECT_EQ(table.Load(), std::vector<std::string>{"00000350 Mario        Level 3"});
    EXPECT_FALSE(FileExists(std::string(kFolder) + "/" + ScoreTable::kTemporaryName));
}

TEST_F(ScoreTableTest, ScoreFieldIsEightDigits)
{
    EXPECT_TRUE(table.AddScore(0, Rest("Zero", 1)));
    EXPECT_TRUE(table.AddScore(123456789, Rest("Nine", 9)));
    EXPECT_EQ(Stored(), "23456789 Nine         Level 9\n00000000 Zero         Level 1\n");
}

TEST_F(ScoreTableTest, LongNameIsWrittenWhole)
{
    EXPECT_TRUE(table.AddScore(50, Rest("Massimiliano", 2)));
    EXPECT_TRUE(table.AddScore(40, Rest("Massimiliano Rossi", 12)));
    EXPECT_EQ(Stored(),
              "00000050 Massimiliano Level 2\n00000040 Massimiliano Rossi Level 12\n");
}

TEST_F(ScoreTableTest, LinesAreKeptInFileOrderWhenLoaded)
{
    Store("b\n00000010 x\r\na\n\nc");
    EXPECT_EQ(table.Load(), (std::vector<std::string>{"b", "00000010 x\r", "a", "", "c"}));
}

TEST_F(ScoreTableTest, LowerEleventhResultIsDropped)
{
    Store(TenLines());
    EXPECT_TRUE(table.AddScore(999, Rest("Late", 1)));
    EXPECT_EQ(Stored(), TenLines());
}

TEST_F(ScoreTableTest, TieWithTheLowestGoesByTheRestOfTheLine)
{
    Store(TenLines());   // the lowest is 00001000 Player1
    EXPECT_TRUE(table.AddScore(1000, Rest("Anna", 1)));
    EXPECT_EQ(Stored(), TenLines());   // "Anna" < "Player1": dropped

    EXPECT_TRUE(table.AddScore(1000, Rest("Zeno", 1)));
    std::string expected = TenLines();
    expected.replace(expected.rfind(Line(1000, "Player1", 1)), Line(1000, "Player1", 1).size(),
                     Line(1000, "Zeno", 1));
    EXPECT_EQ(Stored(), expected);
}

TEST_F(ScoreTableTest, IdenticalResultsAreBothKept)
{
    EXPECT_TRUE(table.AddScore(700, Rest("Luigi", 4)));
    EXPECT_TRUE(table.AddScore(700, Rest("Luigi", 4)));
    EXPECT_EQ(Stored(), Line(700, "Luigi", 4) + "\n" + Line(700, "Luigi", 4) + "\n");
}

TEST_F(ScoreTableTest, EmptyLineSortsLastAndIsCutFirst)
{
    Store("\n00000500 A            Level 1\n");
    EXPECT_TRUE(table.AddScore(100, Rest("B", 1)));
    EXPECT_EQ(Stored(), "00000500 A            Level 1\n" + Line(100, "B", 1) + "\n\n");

    Store(TenLines() + "\n");
    EXPECT_TRUE(table.AddScore(1, Rest("C", 1)));
    EXPECT_EQ(Stored(), TenLines());
}

TEST_F(ScoreTableTest, LineStartingWithALetterSortsFirst)
{
    Store("00099999 Top          Level 8\nhello\n");
    EXPECT_TRUE(table.AddScore(5, Rest("Low", 1)));
    EXPECT_EQ(Stored(), "hello\n00099999 Top          Level 8\n" + Line(5, "Low", 1) + "\n");
}

TEST_F(ScoreTableTest, OverlongLineIsSkippedAlone)
{
    Store(Line(300, "Before", 2) + "\n" + std::string(300, '9') + "\n" + Line(900, "After", 5) + "\n");
    EXPECT_EQ(table.Load(), (std::vector<std::string>{Line(300, "Before", 2), Line(900, "After", 5)}));
    EXPECT_FALSE(table.Unreadable());
    EXPECT_TRUE(table.AddScore(100, Rest("New", 1)));
    EXPECT_EQ(Stored(), Line(900, "After", 5) + "\n" + Line(300, "Before", 2) + "\n" + Line(100, "New", 1) + "\n");
    EXPECT_NE(dir.Read("log.txt").find("line 2 longer than 255 bytes, skipped"), std::string::npos);
}

TEST_F(ScoreTableTest, FolderThatCannotBeMadeFails)
{
    ASSERT_EQ(mkdir("Data", 0777), 0);
    dir.Write("Data/Bruvo Stage Krodel", "a plain file where the folder should be");
    EXPECT_TRUE(table.Load().empty());
    EXPECT_TRUE(table.Failed());
    EXPECT_FALSE(table.AddScore(100, Rest("Mario", 1)));
    EXPECT_FALSE(table.Save({"x"}));
    EXPECT_TRUE(table.Failed());
    EXPECT_EQ(dir.Read("Data/Bruvo Stage Krodel"), "a plain file where the folder should be");
    // One line for each failed save, with the table's whole path; none for the Load.
    const std::string line = std::string(kFile) + ": its folder cannot be made (Not a directory), the result is not saved\n";
    EXPECT_EQ(dir.Read("log.txt"), line + line);
}

TEST_F(ScoreTableTest, FolderInPlaceOfTheTemporaryFailsTheSaveWithALogLine)
{
    Store(TenLines());
    // A folder with something in it is not ours to remove.
    const std::string blocker = std::string(kFolder) + "/" + ScoreTable::kTemporaryName;
    ASSERT_EQ(mkdir(blocker.c_str(), 0777), 0);
    dir.Write(blocker + "/inside", "x");

    EXPECT_FALSE(table.Save({Line(99999, "Best", 8)}));
    EXPECT_FALSE(table.Failed());
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_FALSE(table.AddScore(99999, Rest("Best", 8)));
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_EQ(dir.Read(blocker + "/inside"), "x");
    const std::string line = blocker + ": cannot be created (Is a directory), the result is not saved\n";
    EXPECT_EQ(dir.Read("log.txt"), line + line);
}

TEST_F(ScoreTableTest, LinkInPlaceOfTheTemporaryIsNotFollowed)
{
    Store(TenLines());
    dir.Write("elsewhere", "keep");
    const std::string link = std::string(kFolder) + "/" + ScoreTable::kTemporaryName;
    ASSERT_EQ(symlink(dir.File("elsewhere").c_str(), link.c_str()), 0);
    // The link itself is a leftover in the table's folder and goes; what it
    // points at is never written.
    EXPECT_TRUE(table.AddScore(99999, Rest("Best", 8)));
    EXPECT_EQ(Best(), Line(99999, "Best", 8));
    EXPECT_EQ(dir.Read("elsewhere"), "keep");
    EXPECT_FALSE(FileExists(link));
}

TEST_F(ScoreTableTest, LeftoverTemporaryDoesNotStopTheSave)
{
    const std::string temporary = std::string(kFolder) + "/" + ScoreTable::kTemporaryName;
    // A FIFO would make a plain open wait for a reader: in a child, so a hang
    // fails the test instead of stopping the run.
    Store(TenLines());
    ASSERT_EQ(mkfifo(temporary.c_str(), 0666), 0);
    EXPECT_EQ(AddScoreInChild(dir.Path()), 1);
    EXPECT_EQ(Best(), Line(99999, "Best", 8));
    EXPECT_FALSE(FileExists(temporary));

    // A read-only leftover of an interrupted save, met by its unprivileged owner.
    Store(TenLines());
    unlink(temporary.c_str());   // a FIFO the failed save above may have left
    dir.Write(temporary, "half a table");
    ASSERT_EQ(chmod(temporary.c_str(), 0444), 0);
    EXPECT_EQ(AddScoreInChild(dir.Path()), 1);
    EXPECT_EQ(Best(), Line(99999, "Best", 8));
    EXPECT_FALSE(FileExists(temporary));
    EXPECT_FALSE(FileExists("log.txt"));
}

int writesLeft = 0;
ssize_t FailAfterSomeWrites(int fd, const void* data, size_t size)
{
    if (writesLeft-- <= 0) {
        errno = ENOSPC;
        return -1;
    }
    return write(fd, data, size);
}

TEST_F(ScoreTableTest, FullDiscFailsTheSaveWithALogLineAndKeepsTheOldTable)
{
    Store(TenLines());
    writesLeft = 1;
    ScoreTable::SetWriteFunction(FailAfterSomeWrites);
    EXPECT_FALSE(table.Save({Line(99999, "Best", 8), Line(88888, "Next", 7)}));
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_FALSE(FileExists(std::string(kFolder) + "/" + ScoreTable::kTemporaryName));

    writesLeft = 3;
    EXPECT_FALSE(table.AddScore(99999, Rest("Best", 8)));
    EXPECT_EQ(Stored(), TenLines());
    const std::string line = std::string(kFolder) + "/" + ScoreTable::kTemporaryName +
                             ": cannot be written (No space left on device), the result is not saved\n";
    EXPECT_EQ(dir.Read("log.txt"), line + line);

    ScoreTable::SetWriteFunction(nullptr);
    EXPECT_TRUE(table.Save({Line(99999, "Best", 8)}));
    EXPECT_EQ(Stored(), Line(99999, "Best", 8) + "\n");
}

TEST_F(ScoreTableTest, SaveKeepsTheFilePermissions)
{
    Store(TenLines());
    ASSERT_EQ(chmod(kFile, 0640), 0);
    EXPECT_TRUE(table.AddScore(5, Rest("Low", 1)));
    struct stat info {};
    ASSERT_EQ(stat(kFile, &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(ScoreTableTest, TableThatCannotBeReadIsNeverReplaced)
{
    for (mode_t mode : {0000, 0200}) {
        SCOPED_TRACE(mode);
        Store(TenLines());
        ASSERT_EQ(chmod(kFile, mode), 0);
        unlink("log.txt");
        EXPECT_EQ(AddScoreInChild(dir.Path()), 0);
        EXPECT_EQ(Stored(), TenLines());
        struct stat info {};
        ASSERT_EQ(stat(kFile, &info), 0);
        EXPECT_EQ(info.st_mode & 0777, mode);
        EXPECT_EQ(dir.Read("log.txt"),
                  std::string(kFile) + ": cannot be read whole (Permission denied), the result is not saved\n");
    }
}

TEST_F(ScoreTableTest, ReadOnlyTableAndFolderAreLeftAsTheyAre)
{
    Store(TenLines());
    ASSERT_EQ(chmod(kFile, 0444), 0);
    EXPECT_EQ(AddScoreInChild(dir.Path()), 0);
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_EQ(dir.Read("log.txt"),
              std::string(kFile) + ": cannot be written (Permission denied), the result is not saved\n");

    ASSERT_EQ(chmod(kFile, 0644), 0);
    ASSERT_EQ(chmod(kFolder, 0555), 0);
    unlink("log.txt");
    EXPECT_EQ(AddScoreInChild(dir.Path()), 0);
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_EQ(dir.Read("log.txt"), std::string(kFolder) + "/" + ScoreTable::kTemporaryName +
                                       ": cannot be created (Permission denied), the result is not saved\n");

    // The same user with the folder writable again saves: the refusals came
    // from the permissions, not from the child.
    ASSERT_EQ(chmod(kFolder, 0755), 0);
    EXPECT_EQ(AddScoreInChild(dir.Path()), 1);
    EXPECT_EQ(Best(), Line(99999, "Best", 8));
}

TEST_F(ScoreTableTest, ReadOnlyTableIsKeptEvenForRoot)
{
    // In this process, which may be root and pass every access(2) test.
    Store(TenLines());
    ASSERT_EQ(chmod(kFile, 0444), 0);
    EXPECT_FALSE(table.AddScore(99999, Rest("Best", 8)));
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_EQ(dir.Read("log.txt"),
              std::string(kFile) + ": cannot be written (Permission denied), the result is not saved\n");
}

TEST_F(ScoreTableTest, AnotherUsersTableIsKeptAndRootReplacesOneForItsOwner)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can hand the table to another user";
    // The player owns the folder, root the 0644 table in it.
    Store(TenLines());
    ASSERT_EQ(chmod(kFile, 0644), 0);
    EXPECT_EQ(AddScoreInChild(dir.Path(), kFile), 0);
    EXPECT_EQ(Stored(), TenLines());
    struct stat info {};
    ASSERT_EQ(stat(kFile, &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(dir.Read("log.txt"),
              std::string(kFile) + ": cannot be written (Permission denied), the result is not saved\n");

    // Root may write the player's table; the new one stays the player's.
    ASSERT_EQ(lchown(kFile, kNobody, kNobody), 0);
    EXPECT_TRUE(table.AddScore(99999, Rest("Best", 8)));
    EXPECT_EQ(Best(), Line(99999, "Best", 8));
    ASSERT_EQ(stat(kFile, &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
}

TEST_F(ScoreTableTest, FolderThatCannotBeSyncedStillCountsAsSaved)
{
    // Without read permission the folder cannot be opened for its fsync,
    // while the temporary and the rename need only write and search.
    Store(TenLines());
    ASSERT_EQ(chmod(kFolder, 0333), 0);
    EXPECT_EQ(AddScoreInChild(dir.Path()), 1);
    ASSERT_EQ(chmod(kFolder, 0755), 0);
    EXPECT_EQ(Best(), Line(99999, "Best", 8));
    EXPECT_EQ(dir.Read("log.txt"), std::string(kFolder) + "/: the new table may not be on disc yet (Permission denied)\n");
}

TEST_F(ScoreTableTest, UnreadableTableIsReportedOnceForManyLoads)
{
    ASSERT_EQ(ScoreTable::ScoreFolder(kTitle), std::string(kFolder) + "/");
    ASSERT_EQ(mkdir(kFile, 0755), 0);
    for (int visit = 0; visit < 3; ++visit) {
        ScoreTable title(kTitle);
        EXPECT_TRUE(title.Load().empty());
        EXPECT_TRUE(title.Unreadable());
    }
    EXPECT_EQ(dir.Read("log.txt"), std::string(kFile) + ": not a regular file, kept as it is\n");
}

TEST_F(ScoreTableTest, ImmutableTableFailsTheSaveWithALogLine)
{
    Store(TenLines());
    int fd = open(kFile, O_RDONLY);
    ASSERT_GE(fd, 0);
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0 || (flags |= FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags)) != 0) {
        close(fd);
        GTEST_SKIP() << "this file system or user cannot make a file immutable";
    }
    const bool added = table.AddScore(99999, Rest("Best", 8));
    flags &= ~FS_IMMUTABLE_FL;
    ioctl(fd, FS_IOC_SETFLAGS, &flags);
    close(fd);
    EXPECT_FALSE(added);
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_NE(dir.Read("log.txt").find(std::string(kFile) + ": cannot be"), std::string::npos);
    EXPECT_FALSE(FileExists(std::string(kFolder) + "/" + ScoreTable::kTemporaryName));
}

TEST_F(ScoreTableTest, SpecialFileNamedLikeTheTableIsNoTableAndIsKept)
{
    ASSERT_EQ(ScoreTable::ScoreFolder(kTitle), std::string(kFolder) + "/");
    ASSERT_EQ(mkfifo(kFile, 0666), 0);
    // Opening a FIFO for reading waits for a writer: in a child, so a hang
    // fails the test instead of stopping the run.
    EXPECT_EQ(InChildProcess(dir.Path(), [] {
                  ScoreTable table(kTitle);
                  const bool refused = !table.AddScore(99999, Rest("Best", 8));
                  return refused && table.Unreadable() ? 7 : 0;
              }), 7);
    struct stat info {};
    ASSERT_EQ(lstat(kFile, &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(dir.Read("log.txt"), std::string(kFile) + ": not a regular file, the result is not saved\n");

    ASSERT_EQ(unlink(kFile), 0);
    ASSERT_EQ(mkdir(kFile, 0755), 0);
    EXPECT_TRUE(table.Load().empty());
    EXPECT_TRUE(table.Unreadable());
    EXPECT_FALSE(table.AddScore(99999, Rest("Best", 8)));
    EXPECT_FALSE(table.Save({Line(1, "A", 1)}));
    ASSERT_EQ(lstat(kFile, &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

} // namespace
