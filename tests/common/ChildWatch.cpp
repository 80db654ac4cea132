#include "tests/common/ChildWatch.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

int CountZombieChildren()
{
    int zombies = 0;
    DIR* proc = opendir("/proc");
    if (proc == nullptr)
        return -1;
    const std::string self = std::to_string(getpid());
    while (dirent* entry = readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string text;
        if (!stat || !std::getline(stat, text))
            continue;
        // "pid (comm) state ppid ...": comm may hold blanks, so read after ')'.
        size_t close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 1));
        std::string state, parent;
        rest >> state >> parent;
        if (parent == self && state == "Z")
            ++zombies;
    }
    closedir(proc);
    return zombies;
}

bool WaitUntilEnded(pid_t pid)
{
    siginfo_t info{};
    while (waitid(P_PID, pid, &info, WEXITED | WNOWAIT) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

int ReapAndGetStatus(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return status;
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name(name)
{
    const char* old = std::getenv(name);
    hadValue = old != nullptr;
    if (hadValue)
        previous = old;
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv()
{
    if (hadValue)
        setenv(name.c_str(), previous.c_str(), 1);
    else
        unsetenv(name.c_str());
}
