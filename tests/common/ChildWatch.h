// Watching the test's own child processes through /proc, and a scoped
// environment variable for tests that steer what a child sees.
#pragma once

#include <string>
#include <sys/types.h>

// Children of this process that have ended but were not reaped.
int CountZombieChildren();
// Blocks until pid has ended, leaving it unreaped (a zombie) for the code
// under test to collect. False when pid is not a child of ours.
bool WaitUntilEnded(pid_t pid);
// Blocks until pid has ended and reaps it; its wait status, or -1.
int ReapAndGetStatus(pid_t pid);

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name;
    std::string previous;
    bool hadValue;
};
