#include "support/BinaryFile.h"
#include "support/FileUtil.h"
#include "support/TextFile.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using Lines = std::vector<std::string>;

namespace {

// The open descriptors of this process, from /proc/self/fd.
std::vector<std::string> OpenDescriptors()
{
    std::vector<std::string> fds;
    DIR* dir = opendir("/proc/self/fd");
    if (dir == nullptr)
        return fds;
    const std::string own = std::to_string(dirfd(dir));
    while (const dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.' && entry->d_name != own)
            fds.push_back(entry->d_name);
    closedir(dir);
    return fds;
}

}  // namespace

TEST(FileUtil, PathParts)
{
    EXPECT_EQ(DirectoryPart("a\\b/c.txt"), "a/b/");
    EXPECT_EQ(FileNamePart("a\\b/c.txt"), "c.txt");
    EXPECT_EQ(DirectoryPart("C:file"), "C:");
    EXPECT_EQ(FileNamePart("C:file"), "file");
    EXPECT_EQ(DirectoryPart("file"), "");
    EXPECT_EQ(FileNamePart("dir/"), "");
    EXPECT_EQ(EnsureTrailingSeparator("Data"), "Data/");
    EXPECT_EQ(EnsureTrailingSeparator(""), "");
    EXPECT_EQ(EnsureTrailingSeparator("Data\\"), "Data\\");
    EXPECT_EQ(EnsureExtension("score", ".txt"), "score.txt");
    EXPECT_EQ(EnsureExtension("score.TXT", ".txt"), "score.TXT");
    EXPECT_EQ(EnsureExtension(".txt", ".txt"), ".txt.txt");
    EXPECT_EQ(EnsureExtension("", ".txt"), "");
}

TEST(FileUtil, FilesAndFolders)
{
    TempDir dir;
    dir.Write("five", "12345");
    EXPECT_TRUE(FileExists(dir.File("five")));
    EXPECT_TRUE(FileExists(dir.Path()));
    EXPECT_FALSE(FileExists(dir.File("none")));
    EXPECT_EQ(FileSize(dir.File("five")), 5);
    EXPECT_EQ(FileSize(dir.File("none")), 0);
    EXPECT_TRUE(MakeDirectory(dir.File("sub")));
    EXPECT_TRUE(MakeDirectory(dir.File("sub")));
    EXPECT_FALSE(MakeDirectory(dir.File("none/deeper")));
    EXPECT_TRUE(RemoveFile(dir.File("five")));
    EXPECT_FALSE(RemoveFile(dir.File("five")));
}

TEST(FileUtil, ListFilesNamesRegularFilesAndLogsFailures)
{
    TempDir dir;
    dir.Enter();
    dir.Write("a.bin", "x");
    dir.Write("b.txt", "y");
    ASSERT_TRUE(MakeDirectory("folder"));
    ASSERT_EQ(symlink("a.bin", "link"), 0);
    Lines names = ListFiles(dir.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Lines{"a.bin", "b.txt"}));

    // Running as root, permission bits would not stop opendir; a folder that
    // does not exist and a plain file both make it fail honestly.
    std::remove("log.txt");
    EXPECT_EQ(ListFiles("missing"), Lines{});
    EXPECT_EQ(ListFiles("b.txt"), Lines{});
    EXPECT_EQ(dir.Read("log.txt"), "missing accesso negato!\nb.txt accesso negato!\n");
}

TEST(FileUtil, CopyReplaceAndFingerprint)
{
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 25000; ++i)
        bytes += static_cast<char>(i * 7 % 251);
    dir.Write("source", bytes);
    dir.Write("old", std::string(40000, 'z'));
    EXPECT_TRUE(CopyFile(dir.File("source"), dir.File("old")));
    EXPECT_EQ(dir.Read("old"), bytes);
    EXPECT_TRUE(CopyFile(dir.File("source"), dir.File("source")));
    EXPECT_EQ(dir.Read("source"), bytes);
    EXPECT_FALSE(CopyFile(dir.File("missing"), dir.File("copy")));
    EXPECT_FALSE(FileExists(dir.File("copy")));
    dir.Write("empty", "");
    EXPECT_FALSE(CopyFile(dir.File("empty"), dir.File("copy")));
    EXPECT_FALSE(CopyFile(dir.File("source"), dir.File("none/copy")));
    EXPECT_FALSE(CopyFile(dir.Path(), dir.File("copy")));
    ASSERT_EQ(chmod(dir.File("old").c_str(), 0640), 0);
    EXPECT_TRUE(CopyFile(dir.File("source"), dir.File("old")));
    struct stat kept {};
    ASSERT_EQ(stat(dir.File("old").c_str(), &kept), 0);
    EXPECT_EQ(kept.st_mode & 0777, 0640u);
    EXPECT_EQ(ListFiles(dir.Path()).size(), 3u);   // source, old, empty: no temporary left
    EXPECT_TRUE(ReplaceFile(dir.File("old"), "new bytes"));
    EXPECT_EQ(dir.Read("old"), "new bytes");
    EXPECT_FALSE(ReplaceFile(dir.File("none/old"), "x"));
    EXPECT_EQ(ListFiles(dir.Path()).size(), 3u);

    // Spans several 10240-byte chunks, so the position must carry across them.
    unsigned char expected[16] = {};
    for (size_t i = 0; i < bytes.size(); ++i)
        expected[i % 16] ^= static_cast<unsigned char>(bytes[i]);
    char hex[33];
    for (int i = 0; i < 16; ++i)
        snprintf(hex + 2 * i, 3, "%02X", expected[i]);
    EXPECT_EQ(FileFingerprint(dir.File("source")), hex);
    dir.Write("short", std::string("\x01\xAB") + std::string(14, '\0') + "\x10");
    EXPECT_EQ(FileFingerprint(dir.File("short")), "11AB0000000000000000000000000000");
    EXPECT_EQ(FileFingerprint(dir.File("missing")), std::string(32, '0'));
    EXPECT_EQ(FileFingerprint(dir.Path()), std::string(32, '0'));
}

TEST(FileUtil, CopyFileWorksInBoundedMemory)
{
    // Reading the source whole into memory would raise the peak resident
    // size by its size; chunks keep it well under a quarter of that. (The
    // copy is written out in full, so the file stays modest.)
    constexpr off_t kSize = off_t(24) << 20;               // bytes
    constexpr long kAllowedGrowth = long(kSize / 4) >> 10; // KiB of peak resident size
    TempDir dir;
    {
        int fd = open(dir.File("big").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, kSize), 0);
        ASSERT_EQ(pwrite(fd, "end", 3, kSize - 3), 3);
        close(fd);
    }
    rusage before {};
    getrusage(RUSAGE_SELF, &before);
    ASSERT_TRUE(CopyFile(dir.File("big"), dir.File("copy")));
    rusage after {};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, kAllowedGrowth);
    EXPECT_EQ(FileSize(dir.File("copy")), kSize);
    std::ifstream copy(dir.File("copy"), std::ios::binary);
    copy.seekg(kSize - 3);
    std::string tail(3, '\0');
    copy.read(&tail[0], 3);
    EXPECT_EQ(tail, "end");
}

TEST(FileUtil, CopyFileKeepsReadOnlyFilesAndWritesThroughLinks)
{
    TempDir dir;
    dir.Write("source", "new bytes");
    // Read-only stays read-only even for root, whom access(2) lets through.
    dir.Write("locked", "kept");
    ASSERT_EQ(chmod(dir.File("locked").c_str(), 0444), 0);
    EXPECT_FALSE(CopyFile(dir.File("source"), dir.File("locked")));
    EXPECT_EQ(dir.Read("locked"), "kept");

    // A link is written through: its target gets the bytes, the link stays.
    dir.Write("target", "old bytes");
    ASSERT_EQ(symlink("target", dir.File("link").c_str()), 0);
    EXPECT_TRUE(CopyFile(dir.File("source"), dir.File("link")));
    EXPECT_EQ(dir.Read("target"), "new bytes");
    struct stat info {};
    ASSERT_EQ(lstat(dir.File("link").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(symlink("nowhere", dir.File("dangling").c_str()), 0);
    EXPECT_FALSE(CopyFile(dir.File("source"), dir.File("dangling")));
    EXPECT_FALSE(FileExists(dir.File("nowhere")));

    // A new file gets the umask's mode, and the umask is left as it was.
    const mode_t saved = umask(027);
    const bool copied = CopyFile(dir.File("source"), dir.File("fresh"));
    const mode_t after = umask(saved);
    EXPECT_TRUE(copied);
    EXPECT_EQ(after, 027u);
    ASSERT_EQ(stat(dir.File("fresh").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // Only the files made above: no temporary is left behind.
    EXPECT_EQ(ListFiles(dir.Path()).size(), 4u);   // source, locked, target, fresh
}

TEST(TextFile, WritesAppendsAndReadsLines)
{
    TempDir dir;
    TextFile file(dir.File("lines.txt"));
    EXPECT_TRUE(file.WriteLines({"one", "", "two\r"}));
    EXPECT_TRUE(file.AppendLines({"three"}));
    EXPECT_EQ(dir.Read("lines.txt"), "one\n\ntwo\r\nthree\n");
    EXPECT_EQ(file.ReadLines(), (Lines{"one", "", "two\r", "three"}));
    EXPECT_EQ(file.ReadAllText(), "one\r\n\r\ntwo\r\r\nthree\r\n");
    EXPECT_FALSE(file.Failed());

    dir.Write("last.txt", "a\nb");
    EXPECT_EQ(TextFile(dir.File("last.txt")).ReadLines(), (Lines{"a", "b"}));
    dir.Write("zero.txt", std::string("ab\0cd\nef\n", 9));
    EXPECT_EQ(TextFile(dir.File("zero.txt")).ReadLines(), (Lines{"ab", "ef"}));

    TextFile missing(dir.File("missing.txt"));
    EXPECT_EQ(missing.ReadLines(), Lines{});
    EXPECT_TRUE(missing.Failed());
    EXPECT_TRUE(missing.AtEnd());
    TextFile unwritable(dir.File("none/x.txt"));
    EXPECT_FALSE(unwritable.WriteLines({"x"}));
    EXPECT_TRUE(unwritable.Failed());
    TextFile folder(dir.Path());
    EXPECT_EQ(folder.ReadLines(), Lines{});
    EXPECT_TRUE(folder.Failed());
}

TEST(TextFile, ALineLongerThan255BytesIsSkippedAlone)
{
    TempDir dir;
    dir.Enter();
    const std::string longest(255, 'x');
    dir.Write("fits.txt", "first\n" + longest + "\nlast\n");
    EXPECT_EQ(TextFile(dir.File("fits.txt")).ReadLines(), (Lines{"first", longest, "last"}));
    dir.Write("end.txt", "first\n" + longest);
    EXPECT_EQ(TextFile(dir.File("end.txt")).ReadLines(), (Lines{"first", longest}));
    EXPECT_FALSE(FileExists("log.txt"));

    dir.Write("long.txt", "first\n" + longest + "y\nlast\n" + std::string(1000, 'z') + "\nend");
    TextFile longFile(dir.File("long.txt"));
    EXPECT_EQ(longFile.ReadLines(), (Lines{"first", "last", "end"}));
    EXPECT_FALSE(longFile.Failed());
    dir.Write("crlf.txt", "first\n" + std::string(255, 'x') + "\r\nlast\n");
    EXPECT_EQ(TextFile(dir.File("crlf.txt")).ReadLines(), (Lines{"first", "last"}));
    EXPECT_EQ(dir.Read("log.txt"),
              dir.File("long.txt") + ": line 2 longer than 255 bytes, skipped\n" +
              dir.File("long.txt") + ": line 4 longer than 255 bytes, skipped\n" +
              dir.File("crlf.txt") + ": line 2 longer than 255 bytes, skipped\n");
}

TEST(TextFile, AFifoIsRefusedWithoutBlocking)
{
    TempDir dir;
    dir.Enter();
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0666), 0);
    // Reading would wait for a writer for ever; the alarm turns that into a
    // failure instead of a hung test.
    alarm(60);
    TextFile fifo(dir.File("fifo"));
    EXPECT_EQ(fifo.ReadLines(), Lines{});
    alarm(0);
    EXPECT_TRUE(fifo.Failed());
    EXPECT_EQ(dir.Read("log.txt"), dir.File("fifo") + ": not a regular file, not read\n");
}

TEST(BinaryFile, ReadsAndWritesRanges)
{
    TempDir dir;
    BinaryFile file;
    ASSERT_TRUE(file.OpenWrite(dir.File("data.bin")));
    EXPECT_TRUE(file.WriteAt(4, "WXYZ", 4));
    EXPECT_TRUE(file.WriteAt(0, "abcd", 4));
    EXPECT_TRUE(file.Write("!", 1));
    char buffer[16] = {};
    EXPECT_EQ(file.ReadAt(2, buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "cd!X");
    EXPECT_FALSE(file.AtEnd());
    EXPECT_EQ(file.ReadAt(6, buffer, 16), 2u);
    EXPECT_EQ(std::string(buffer, 2), "YZ");
    EXPECT_TRUE(file.AtEnd());
    EXPECT_FALSE(file.Failed());
    file.Close();
    file.Close();
    EXPECT_EQ(dir.Read("data.bin"), "abcd!XYZ");

    BinaryFile reader;
    ASSERT_TRUE(reader.Open(dir.File("data.bin"), true, true, false));
    EXPECT_FALSE(reader.WriteAt(0, "q", 1));  // read access wins
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(reader.ReadAt(0, buffer, 4), 0u);
    EXPECT_FALSE(reader.AtEnd());

    BinaryFile appender;
    ASSERT_TRUE(appender.Open(dir.File("data.bin"), false, false, true));
    EXPECT_TRUE(appender.WriteAt(0, "+", 1));
    appender.Close();
    EXPECT_EQ(dir.Read("data.bin"), "abcd!XYZ+");

    BinaryFile missing;
    EXPECT_FALSE(missing.Open(dir.File("none.bin"), false, false, false));
    EXPECT_TRUE(missing.Failed());
    EXPECT_EQ(missing.ReadAt(0, buffer, 4), 0u);
    EXPECT_FALSE(missing.Write("x", 1));
}

TEST(BinaryFile, DescriptorsAreCloseOnExecAndNeverLeak)
{
    TempDir dir;
    dir.Write("a.txt", "line\n");
    const std::vector<std::string> before = OpenDescriptors();
    {
        BinaryFile file;
        ASSERT_TRUE(file.OpenRead(dir.File("a.txt")));
        std::vector<std::string> during = OpenDescriptors();
        ASSERT_EQ(during.size(), before.size() + 1);
        for (const std::string& fd : during) {
            if (std::find(before.begin(), before.end(), fd) != before.end())
                continue;
            EXPECT_NE(fcntl(std::stoi(fd), F_GETFD) & FD_CLOEXEC, 0);
        }
    }
    TextFile text(dir.File("a.txt"));
    text.ReadLines();
    text.AppendLines({"more"});
    ListFiles(dir.Path());
    CopyFile(dir.File("a.txt"), dir.File("b.txt"));
    FileFingerprint(dir.File("a.txt"));
    EXPECT_EQ(OpenDescriptors(), before);
}
