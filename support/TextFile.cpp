#include "support/TextFile.h"

#include "support/Log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Lines are read through a buffer of this size, its last byte the terminator.
constexpr size_t lineBufferSize = 256;
constexpr size_t longestLine = lineBufferSize - 1;  // bytes

}  // namespace

bool TextFile::Write(const std::vector<std::string>& lines, const char* mode)
{
    FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr) {
        error = true;
        return false;
    }
    bool ok = true;
    for (const std::string& line : lines) {
        ok = ok && std::fwrite(line.data(), 1, line.size(), file) == line.size();
        ok = ok && std::fputc('\n', file) != EOF;
        ok = ok && std::fflush(file) == 0;
    }
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

// "e": close-on-exec, so the file never reaches a child process.
bool TextFile::WriteLines(const std::vector<std::string>& lines) { return Write(lines, "we"); }

bool TextFile::AppendLines(const std::vector<std::string>& lines) { return Write(lines, "ae"); }

FILE* TextFile::OpenForReading()
{
    // Non-blocking, so a FIFO or a device of this name cannot hang the open;
    // only a regular file is read.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        WriteLog(path + ": not a regular file, not read");
        close(fd);
        errno = EINVAL;
        return nullptr;
    }
    FILE* file = fdopen(fd, "r");
    if (file == nullptr)
        close(fd);
    return file;
}

std::vector<std::string> TextFile::ReadLines()
{
    std::vector<std::string> lines;
    endReached = true;
    FILE* file = OpenForReading();
    if (file == nullptr) {
        error = true;
        return lines;
    }
    size_t lineNumber = 0;
    for (;;) {
        std::string line;
        size_t stored = 0;
        bool cut = false;  // an embedded zero byte ends what the line keeps
        int c = std::getc(file);
        if (c == EOF)
            break;
        ++lineNumber;
        while (c != EOF && c != '\n') {
            if (c == '\0')
                cut = true;
            else if (!cut && stored < longestLine)
                line += static_cast<char>(c);
            ++stored;
            c = std::getc(file);
        }
        if (std::ferror(file))
            break;
        // A line too long for the buffer is skipped alone; the rest is read on.
        if (stored > longestLine)
            WriteLog(path + ": line " + std::to_string(lineNumber) + " longer than " +
                     std::to_string(longestLine) + " bytes, skipped");
        else
            lines.push_back(line);
        if (c == EOF)
            break;
    }
    if (std::ferror(file))
        error = true;
    std::fclose(file);
    return lines;
}

std::string TextFile::ReadAllText()
{
    std::string text;
    for (const std::string& line : ReadLines())
        text += line + "\r\n";
    return text;
}
