#include "support/TextFile.h"

#include <cstdio>

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

std::vector<std::string> TextFile::ReadLines()
{
    std::vector<std::string> lines;
    FILE* file = std::fopen(path.c_str(), "re");
    if (file == nullptr) {
        error = true;
        endReached = true;
        return lines;
    }
    for (;;) {
        std::string line;
        size_t stored = 0;
        bool cut = false;  // an embedded zero byte ends what the line keeps
        int c = std::getc(file);
        if (c == EOF)
            break;
        while (c != EOF && c != '\n' && stored < longestLine) {
            if (c == '\0')
                cut = true;
            else if (!cut)
                line += static_cast<char>(c);
            ++stored;
            c = std::getc(file);
        }
        // A line longer than the buffer, or a read error, ends the reading
        // and the line is dropped.
        if ((c != EOF && c != '\n') || std::ferror(file))
            break;
        lines.push_back(line);
        if (c == EOF)
            break;
    }
    if (std::ferror(file))
        error = true;
    endReached = true;
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
