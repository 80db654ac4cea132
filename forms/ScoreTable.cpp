#include "forms/ScoreTable.h"

#include "services/StandardFolders.h"
#include "support/FileUtil.h"
#include "support/Log.h"
#include "support/StringUtil.h"
#include "support/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kScoreWidth = 8;   // digits of the score field

ScoreTable::WriteFunction writeFunction = nullptr;

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = writeFunction != nullptr
            ? writeFunction(fd, bytes.data() + done, bytes.size() - done)
            : write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

// One log line for a save that did not happen; the old table stays.
bool SaveFailed(const std::string& path, const std::string& what, int error)
{
    WriteLog(path + ": " + what + " (" + std::strerror(error) + "), the result is not saved");
    return false;
}

// The title screen reads the table each time it is set up; a table that
// stays unreadable is reported once per process, not at every visit. The
// path is relative, so the working folder is part of what makes a problem
// distinct.
void LogLoadProblemOnce(const std::string& line)
{
    static std::set<std::string> reported;
    char cwd[4096];
    const std::string key = std::string(getcwd(cwd, sizeof cwd) != nullptr ? cwd : "") + "\n" + line;
    if (reported.insert(key).second)
        WriteLog(line);
}

bool SyncFolder(const std::string& folder)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

} // namespace

void ScoreTable::SetWriteFunction(WriteFunction function)
{
    writeFunction = function;
}

std::string ScoreTable::ScoreFolder(const std::string& title)
{
    std::string path = EnsureTrailingSeparator(DataFolder()) + title;
    if (!FileExists(path) && !MakeDirectory(path))
        return "";
    path = EnsureTrailingSeparator(path) + "Score";
    if (!FileExists(path) && !MakeDirectory(path))
        return "";
    return EnsureTrailingSeparator(path);
}

std::string ScoreTable::TablePath() const
{
    return EnsureTrailingSeparator(DataFolder()) + title + "/Score/" + kFileName;
}

bool ScoreTable::FolderFailed(int error)
{
    failed = true;
    return SaveFailed(TablePath(), "its folder cannot be made", error);
}

std::vector<std::string> ScoreTable::Load()
{
    std::vector<std::string> lines = Read();
    if (unreadable)
        LogLoadProblemOnce(TablePath() + ": " + problem + ", kept as it is");
    return lines;
}

std::vector<std::string> ScoreTable::Read()
{
    failed = false;
    unreadable = false;
    problem.clear();
    folderError = 0;
    std::string folder = ScoreFolder(title);
    if (folder.empty()) {
        folderError = errno;
        failed = true;
        return {};
    }
    std::string path = folder + kFileName;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return {};
        unreadable = true;
        problem = std::string("cannot be examined (") + std::strerror(errno) + ")";
        return {};
    }
    // A FIFO would block the open (and the game with it); a folder or a
    // device is not ours to replace either.
    if (!S_ISREG(info.st_mode)) {
        unreadable = true;
        problem = "not a regular file";
        return {};
    }
    TextFile file(path);
    std::vector<std::string> lines = file.ReadLines();
    if (file.Failed()) {
        // What was read is shown, but a save would lose the rest.
        unreadable = true;
        problem = std::string("cannot be read whole (") + std::strerror(errno) + ")";
    }
    return lines;
}

bool ScoreTable::Save(std::vector<std::string> lines)
{
    failed = false;
    // std::string compares as unsigned bytes, a prefix before its longer
    // line; the zero-padded score field makes this highest score first.
    std::sort(lines.begin(), lines.end(), std::greater<std::string>());
    if (lines.size() > kMaxLines)
        lines.resize(kMaxLines);
    std::string folder = ScoreFolder(title);
    if (folder.empty())
        return FolderFailed(errno);
    return WriteTable(folder, lines);
}

bool ScoreTable::WriteTable(const std::string& folder, const std::vector<std::string>& lines)
{
    const std::string target = folder + kFileName;
    const std::string temporary = folder + kTemporaryName;
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        WriteLog(target + ": not a regular file, not replaced; the result is not saved");
        return false;
    }
    // The rename would replace the table whoever owns it: only a table this
    // process may open for writing is replaced. The mode bits keep a table
    // its owner made read-only even from root, access(2) with the effective
    // ids another user's table from everyone else.
    if (exists && ((old.st_mode & 0222) == 0 || faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
        return SaveFailed(target, "cannot be written", EACCES);

    // A temporary left by an interrupted save (perhaps read-only, or a FIFO
    // that an open would wait on) goes first; a folder cannot be unlinked
    // and is left to its owner. The exclusive create then never opens
    // anything but a fresh file of ours.
    if (unlink(temporary.c_str()) != 0 && errno != ENOENT)
        return SaveFailed(temporary, "cannot be created", errno);
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return SaveFailed(temporary, "cannot be created", errno);
    if (exists) {
        fchmod(fd, old.st_mode & 07777);
        // Root replacing another user's table leaves it that user's.
        if (old.st_uid != geteuid() || old.st_gid != getegid())
            (void)fchown(fd, old.st_uid, old.st_gid);
    }

    for (const std::string& line : lines) {
        if (!WriteAll(fd, line + "\n")) {
            const int error = errno;
            close(fd);
            unlink(temporary.c_str());
            return SaveFailed(temporary, "cannot be written", error);
        }
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return SaveFailed(temporary, "cannot be written", error);
    }
    // Only after the new table is on disc does it take the old one's place.
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return SaveFailed(target, "cannot be replaced", error);
    }
    // The new table is in place; only its durability across a power cut is
    // in doubt, which is worth a line but is no failed save.
    if (!SyncFolder(folder))
        WriteLog(folder + ": the new table may not be on disc yet (" + std::strerror(errno) + ")");
    return true;
}

bool ScoreTable::AddScore(int32_t score, const std::string& rest)
{
    // Read quietly: a failed save is told in exactly one line, here or by Save.
    std::vector<std::string> lines = Read();
    if (failed)
        return FolderFailed(folderError);
    // Saving what could be read would lose the rest of the table.
    if (unreadable) {
        WriteLog(TablePath() + ": " + problem + ", the result is not saved");
        return false;
    }
    std::string field = FormatLong(score, '0', kScoreWidth);
    if (field.size() > size_t(kScoreWidth))
        field = field.substr(field.size() - kScoreWidth);
    lines.push_back(field + " " + rest);
    return Save(lines);
}
