#include "forms/ScoreTable.h"

#include "services/StandardFolders.h"
#include "support/FileUtil.h"
#include "support/StringUtil.h"
#include "support/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
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

std::vector<std::string> ScoreTable::Load()
{
    failed = false;
    std::string folder = ScoreFolder(title);
    if (folder.empty()) {
        failed = true;
        return {};
    }
    std::string path = folder + kFileName;
    if (!FileExists(path))
        return {};
    TextFile file(path);
    return file.ReadLines();
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
    if (folder.empty()) {
        failed = true;
        return false;
    }
    return WriteTable(folder, lines);
}

bool ScoreTable::WriteTable(const std::string& folder, const std::vector<std::string>& lines)
{
    const std::string target = folder + kFileName;
    const std::string temporary = folder + kTemporaryName;
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return false;   // nothing of ours to remove (it may be someone's folder)
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        fchmod(fd, old.st_mode & 07777);

    bool written = true;
    for (const std::string& line : lines) {
        if (!WriteAll(fd, line + "\n")) {
            written = false;
            break;
        }
    }
    written = written && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    // Only after the new table is on disc does it take the old one's place.
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return SyncFolder(folder);
}

bool ScoreTable::AddScore(int32_t score, const std::string& rest)
{
    std::vector<std::string> lines = Load();
    if (failed)
        return false;
    std::string field = FormatLong(score, '0', kScoreWidth);
    if (field.size() > size_t(kScoreWidth))
        field = field.substr(field.size() - kScoreWidth);
    lines.push_back(field + " " + rest);
    Save(lines);
    return !failed;
}
