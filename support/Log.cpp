#include "support/Log.h"

#include <cstdio>
#include <unistd.h>

namespace {
constexpr const char* kLogFile = "log.txt";
}

void WriteLog(const char* message)
{
    std::fputs(message, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);

    // Opened and closed on every call so each line is on disc even if the
    // process dies right after; "e" keeps the descriptor out of children.
    const char* mode = access(kLogFile, F_OK) == 0 ? "ae" : "we";
    FILE* file = std::fopen(kLogFile, mode);
    if (file == nullptr)
        return;
    if (std::fputs(message, file) >= 0)
        std::fputc('\n', file);
    std::fflush(file);
    std::fclose(file);
}

void WriteLog(const std::string& message)
{
    WriteLog(message.c_str());
}
