#include "support/FileUtil.h"

#include "support/Log.h"
#include "support/StringUtil.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t fingerprintChunk = 10240;  // bytes read at a time
constexpr size_t fingerprintSize = 16;      // bytes of the accumulator
constexpr size_t copyChunk = 65536;         // bytes copied at a time

// Reads up to count bytes, going on after interrupted or partial reads; -1 on error.
ssize_t ReadFully(int fd, char* buffer, size_t count)
{
    size_t done = 0;
    while (done < count) {
        ssize_t got = read(fd, buffer + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

bool WriteFully(int fd, const char* buffer, size_t count)
{
    size_t done = 0;
    while (done < count) {
        ssize_t put = write(fd, buffer + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool IsRegularFile(const std::string& directory, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_REG;
    // Some file systems leave the type out of the entry.
    struct stat info {};
    std::string path = EnsureTrailingSeparator(directory) + entry.d_name;
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool FileExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

int32_t FileSize(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return 0;
    return info.st_size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(info.st_size);
}

bool RemoveFile(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

bool MakeDirectory(const std::string& path)
{
    if (FileExists(path))
        return true;
    return mkdir(path.c_str(), 0777) == 0;
}

std::string DirectoryPart(const std::string& path)
{
    std::string slashed = ReplaceChar(path, '\\', '/');
    size_t cut = slashed.rfind('/');
    if (cut == std::string::npos)
        cut = slashed.rfind(':');
    if (cut == std::string::npos)
        return std::string();
    return slashed.substr(0, cut + 1);
}

std::string FileNamePart(const std::string& path)
{
    return path.substr(DirectoryPart(path).size());
}

std::string EnsureTrailingSeparator(const std::string& path)
{
    if (path.empty())
        return path;
    char last = path.back();
    if (last == '/' || last == '\\' || last == ':')
        return path;
    return path + "/";
}

std::string EnsureExtension(const std::string& path, const std::string& extension)
{
    if (path.empty() || extension.empty())
        return path;
    if (path.size() > extension.size() &&
        ToLower(path.substr(path.size() - extension.size())) == ToLower(extension))
        return path;
    return path + extension;
}

std::vector<std::string> ListFiles(const std::string& directory)
{
    std::vector<std::string> names;
    // glibc opens the folder close-on-exec.
    DIR* folder = opendir(directory.c_str());
    if (folder == nullptr) {
        WriteLog(directory + " accesso negato!");
        return names;
    }
    while (const dirent* entry = readdir(folder))
        if (IsRegularFile(directory, *entry))
            names.push_back(entry->d_name);
    closedir(folder);
    return names;
}

namespace {

// Creates a new file named "<path>.copy<n>" beside path, exclusively, with
// the mode a new file gets (0666 less the umask, applied by open itself).
int CreateBeside(const std::string& path, std::string& created)
{
    constexpr int kAttempts = 100;
    for (int n = 0; n < kAttempts; ++n) {
        created = path + ".copy" + std::to_string(getpid()) + "-" + std::to_string(n);
        const int fd = open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Ends a write begun by CreateBeside: the file on disc, then in the place of
// target; on any failure the temporary goes and target stays as it was.
bool CommitBeside(int out, bool written, const std::string& temporary, const std::string& target)
{
    // On disc before it takes the target's place, or a crash could leave an
    // empty file where the old one was.
    written = fsync(out) == 0 && written;
    written = close(out) == 0 && written;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

bool CopyFile(const std::string& source, const std::string& destination)
{
    // A destination that is a symbolic link is written through, as opening
    // it would: the copy replaces the file the link names, the link stays.
    std::string target = destination;
    struct stat link {};
    if (lstat(destination.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(destination.c_str(), resolved) == nullptr) {
            WriteLog(destination + ": the link leads nowhere, not copied");
            return false;
        }
        target = resolved;
    }
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    // Renaming would replace a file its owner made read-only; the mode bits,
    // not access(2), so that this holds for root as well.
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0))
        return false;
    int in = open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat info {};
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        close(in);
        return false;
    }
    // The copy is written beside the destination and renamed over it at the
    // end, so a failure leaves the destination as it was, and a file copied
    // onto itself keeps its bytes. The copy's permissions are the
    // destination's when there is one, else those of a new file.
    std::string temporary;
    int out = CreateBeside(target, temporary);
    if (out < 0) {
        close(in);
        return false;
    }
    bool copied = !exists || fchmod(out, old.st_mode & 07777) == 0;
    // Bounded chunks: a file of any size is copied in the same memory.
    char chunk[copyChunk];
    ssize_t got = 0;
    while (copied && (got = ReadFully(in, chunk, sizeof chunk)) > 0)
        copied = WriteFully(out, chunk, static_cast<size_t>(got));
    copied = copied && got == 0;
    close(in);
    return CommitBeside(out, copied, temporary, target);
}

bool ReplaceFile(const std::string& path, const std::string& bytes)
{
    std::string temporary;
    const int out = CreateBeside(path, temporary);
    if (out < 0)
        return false;
    return CommitBeside(out, WriteFully(out, bytes.data(), bytes.size()), temporary, path);
}

std::string FileFingerprint(const std::string& path)
{
    unsigned char accumulator[fingerprintSize] = {};
    int in = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in >= 0) {
        char chunk[fingerprintChunk];
        size_t position = 0;
        ssize_t got;
        while ((got = ReadFully(in, chunk, sizeof chunk)) > 0) {
            for (ssize_t i = 0; i < got; ++i, ++position)
                accumulator[position % fingerprintSize] ^= static_cast<unsigned char>(chunk[i]);
        }
        close(in);
        // A read error part-way (a folder, say) gives the zero fingerprint.
        if (got < 0)
            for (unsigned char& byte : accumulator)
                byte = 0;
    }
    std::string hex;
    for (unsigned char byte : accumulator)
        hex += ByteToHex(byte);
    return hex;
}
