#include "support/BinaryFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// Built on a descriptor rather than std::fstream: libstdc++ opens its streams
// without close-on-exec, and the game starts child processes.

BinaryFile::~BinaryFile()
{
    Close();
}

bool BinaryFile::OpenWithFlags(const std::string& path, int flags)
{
    Close();
    error = false;
    endReached = false;
    fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0)
        error = true;
    return !error;
}

bool BinaryFile::OpenRead(const std::string& path)
{
    return OpenWithFlags(path, O_RDONLY);
}

bool BinaryFile::OpenWrite(const std::string& path)
{
    return OpenWithFlags(path, O_RDWR | O_CREAT | O_TRUNC);
}

bool BinaryFile::Open(const std::string& path, bool read, bool write, bool create)
{
    if (read)
        return OpenRead(path);
    if (write)
        return OpenWrite(path);
    if (create)
        return OpenWithFlags(path, O_RDWR | O_CREAT | O_APPEND);
    return OpenWithFlags(path, O_RDWR);
}

size_t BinaryFile::ReadAt(int64_t offset, void* buffer, size_t count)
{
    if (error)
        return 0;
    if (fd < 0 || offset < 0 || (buffer == nullptr && count > 0) ||
        lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        error = true;
        return 0;
    }
    char* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t got = read(fd, bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = true;
            break;
        }
        if (got == 0) {
            endReached = true;
            break;
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

bool BinaryFile::Write(const void* buffer, size_t count)
{
    if (error || fd < 0 || (buffer == nullptr && count > 0)) {
        error = true;
        return false;
    }
    const char* bytes = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t put = write(fd, bytes + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            error = true;
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

bool BinaryFile::WriteAt(int64_t offset, const void* buffer, size_t count)
{
    if (error || fd < 0 || offset < 0 || lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        error = true;
        return false;
    }
    endReached = false;
    return Write(buffer, count);
}

bool BinaryFile::AtEnd() const
{
    return !error && endReached;
}

void BinaryFile::Close()
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}
