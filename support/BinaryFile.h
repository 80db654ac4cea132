// A file opened once for reading and writing byte ranges at offsets. Failures
// set the error flag; after that reads give 0 and AtEnd false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class BinaryFile {
public:
    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool OpenRead(const std::string& path);   // existing file, read only
    bool OpenWrite(const std::string& path);  // created or emptied, read and write
    // read (with or without write): read only; write alone: created or
    // emptied; neither with create: created if missing, writes append;
    // neither without create: existing file, read and write.
    bool Open(const std::string& path, bool read, bool write, bool create);

    // Number of bytes read, which is short at the end of the file.
    size_t ReadAt(int64_t offset, void* buffer, size_t count);
    bool WriteAt(int64_t offset, const void* buffer, size_t count);
    bool Write(const void* buffer, size_t count);  // at the current position
    bool AtEnd() const;   // a read reached the end of the file
    void Close();
    bool Failed() const { return error; }

private:
    bool OpenWithFlags(const std::string& path, int flags);

    int fd = -1;
    bool error = false;
    bool endReached = false;
};
