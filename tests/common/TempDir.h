// A real temporary folder for a test, removed with everything in it at the end;
// optionally the working folder while it lives.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "/" + name; }

    // Makes this folder the working folder until destruction.
    void Enter();

    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::string path;
    std::string previous;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
