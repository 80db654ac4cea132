#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Tests make read-only folders: give every folder its write bit back first.
int MakeWritable(const char* path, const struct stat* info, int, struct FTW*)
{
    if (S_ISDIR(info->st_mode))
        chmod(path, 0700);
    return 0;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return remove(path);
}
}

TempDir::TempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/bruvo-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        ADD_FAILURE() << "mkdtemp failed for " << pattern;
    path = pattern;
}

TempDir::~TempDir()
{
    if (!previous.empty() && chdir(previous.c_str()) != 0)
        ADD_FAILURE() << "cannot return to " << previous;
    chmod(path.c_str(), 0700);
    nftw(path.c_str(), MakeWritable, 16, FTW_PHYS);
    nftw(path.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void TempDir::Enter()
{
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) != nullptr)
        previous = buffer;
    if (chdir(path.c_str()) != 0)
        ADD_FAILURE() << "cannot enter " << path;
}

void TempDir::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDir::Read(const std::string& name) const
{
    return ReadFileBytes(File(name));
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
