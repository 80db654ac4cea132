// The one diagnostic channel: every message goes to standard output and is
// appended as one line to "log.txt" in the working directory.
#pragma once

#include <string>

void WriteLog(const char* message);
void WriteLog(const std::string& message);
