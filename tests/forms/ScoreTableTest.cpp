// The high-score file in a temporary working folder.
#include "forms/ScoreTable.h"
#include "support/FileUtil.h"
#include "support/StringUtil.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>
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

TEST_F(ScoreTableTest, OverlongLineEndsTheReading)
{
    Store(Line(300, "Before", 2) + "\n" + std::string(300, '9') + "\n" + Line(900, "After", 5) + "\n");
    EXPECT_EQ(table.Load(), std::vector<std::string>{Line(300, "Before", 2)});
    EXPECT_TRUE(table.AddScore(100, Rest("New", 1)));
    EXPECT_EQ(Stored(), Line(300, "Before", 2) + "\n" + Line(100, "New", 1) + "\n");
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
}

TEST_F(ScoreTableTest, UnwritableTemporaryLeavesTheOldTable)
{
    Store(TenLines());
    // Root ignores permission bits, so block the temporary name with a folder
    // (that has something in it, so it is not ours to remove either).
    const std::string blocker = std::string(kFolder) + "/" + ScoreTable::kTemporaryName;
    ASSERT_EQ(mkdir(blocker.c_str(), 0777), 0);
    dir.Write(blocker + "/inside", "x");

    EXPECT_FALSE(table.Save({Line(99999, "Best", 8)}));
    EXPECT_FALSE(table.Failed());
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_TRUE(table.AddScore(99999, Rest("Best", 8)));   // the folder was there
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_EQ(dir.Read(blocker + "/inside"), "x");
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

TEST_F(ScoreTableTest, FailureInTheMiddleOfASaveLeavesTheOldTable)
{
    Store(TenLines());
    writesLeft = 1;
    ScoreTable::SetWriteFunction(FailAfterSomeWrites);
    EXPECT_FALSE(table.Save({Line(99999, "Best", 8), Line(88888, "Next", 7)}));
    EXPECT_EQ(Stored(), TenLines());
    EXPECT_FALSE(FileExists(std::string(kFolder) + "/" + ScoreTable::kTemporaryName));

    writesLeft = 3;
    EXPECT_TRUE(table.AddScore(99999, Rest("Best", 8)));   // a failed write is not a failure here
    EXPECT_EQ(Stored(), TenLines());

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

} // namespace
