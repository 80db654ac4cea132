// A text file read and written whole, as lines. The file is opened and closed
// within each operation.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class TextFile {
public:
    explicit TextFile(const std::string& path) : path(path) {}

    // Each line followed by "\n"; true when every write succeeded.
    bool WriteLines(const std::vector<std::string>& lines);
    bool AppendLines(const std::vector<std::string>& lines);
    // The lines without their "\n" (a "\r" stays). A line longer than 255
    // bytes is logged and skipped; an embedded zero byte cuts its line short.
    // Only a regular file is read: anything else (a FIFO, a folder) is logged
    // and sets the error flag, as does a file that cannot be opened or a read
    // error part-way (the lines before it are returned).
    std::vector<std::string> ReadLines();
    // Every line followed by "\r\n".
    std::string ReadAllText();

    bool Failed() const { return error; }
    // Set when a read found nothing more to read (or could not open the file).
    bool AtEnd() const { return endReached; }
    const std::string& Path() const { return path; }

private:
    FILE* OpenForReading();
    bool Write(const std::vector<std::string>& lines, const char* mode);

    std::string path;
    bool error = false;
    bool endReached = false;
};
