#include "services/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Children started and not reaped yet. The game starts a few per minute at
// most, so a short list searched in full is plenty.
std::vector<pid_t>& PendingChildren()
{
    static std::vector<pid_t> pending;
    return pending;
}

std::vector<std::pair<int, struct sigaction>>& ChildSignalActions()
{
    static std::vector<std::pair<int, struct sigaction>> actions;
    return actions;
}

// Everything exec needs, prepared before fork so the child only calls
// async-signal-safe functions between fork and exec.
struct ExecPlan {
    std::vector<char*> argv;
    std::string failure;   // written to standard error when exec fails
};

ExecPlan MakePlan(const std::vector<std::string>& args)
{
    ExecPlan plan;
    for (const std::string& arg : args)
        plan.argv.push_back(const_cast<char*>(arg.c_str()));
    plan.argv.push_back(nullptr);
    plan.failure = args[0] + ": cannot be started\n";
    return plan;
}

// In a freshly forked child: standard output and error to /dev/null.
void DiscardOutput()
{
    const int null = open("/dev/null", O_WRONLY);
    if (null < 0)
        return;
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    if (null > STDERR_FILENO)
        close(null);
}

[[noreturn]] void ExecInChild(const ExecPlan& plan, ChildOutput output)
{
    if (output == ChildOutput::Discard)
        DiscardOutput();
    CloseInheritedDescriptors();
    // exec resets caught signals to their defaults; the program started must
    // also see an empty mask.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execvp(plan.argv[0], plan.argv.data());
    ssize_t ignored = write(STDERR_FILENO, plan.failure.data(), plan.failure.size());
    (void)ignored;
    _exit(127);
}

pid_t ForkAndExec(const std::vector<std::string>& args, ChildOutput output)
{
    if (args.empty())
        return -1;
    ExecPlan plan = MakePlan(args);
    pid_t pid = fork();
    if (pid == 0)
        ExecInChild(plan, output);
    return pid;
}

void Remember(pid_t pid)
{
    if (pid > 0)
        PendingChildren().push_back(pid);
}

} // namespace

void CloseInheritedDescriptors()
{
    if (close_range(3, ~0U, 0) == 0)
        return;
    // Kernels before 5.9 lack close_range.
    long last = sysconf(_SC_OPEN_MAX);
    if (last < 0 || last > 65536)
        last = 65536;
    for (int fd = 3; fd < last; ++fd)
        close(fd);
}

pid_t StartChild(const std::vector<std::string>& argv, ChildOutput output)
{
    pid_t pid = ForkAndExec(argv, output);
    Remember(pid);
    return pid < 0 ? -1 : pid;
}

int RunChildAndWait(const std::vector<std::string>& argv, ChildOutput output)
{
    pid_t pid = ForkAndExec(argv, output);
    return pid < 0 ? -1 : WaitForChild(pid);
}

int WaitForChild(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return status;
}

pid_t StartChildFunction(void (*body)(void* context), void* context, ChildOutput output)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (output == ChildOutput::Discard)
            DiscardOutput();
        CloseInheritedDescriptors();
        // The parent's handlers would keep SIGTERM from ending the child; what
        // was there before them (perhaps an inherited SIG_IGN) comes back.
        for (const auto& [number, action] : ChildSignalActions())
            sigaction(number, &action, nullptr);
        body(context);
        // _exit, not exit: the parent's exit handlers and buffered output
        // belong to the parent and must not run or be flushed twice.
        _exit(0);
    }
    Remember(pid);
    return pid < 0 ? -1 : pid;
}

void SetChildSignalActions(std::vector<std::pair<int, struct sigaction>> actions)
{
    ChildSignalActions() = std::move(actions);
}

bool ReapChildWithin(pid_t pid, int timeoutMs)
{
    constexpr int kPollMs = 5;   // between looks at the child
    std::vector<pid_t>& pending = PendingChildren();
    const auto remembered = std::find(pending.begin(), pending.end(), pid);
    if (remembered == pending.end())
        return true;
    for (int waited = 0;; waited += kPollMs) {
        const pid_t result = waitpid(pid, nullptr, WNOHANG);
        if (result == pid || (result < 0 && errno == ECHILD)) {
            pending.erase(remembered);
            return true;
        }
        if (waited >= timeoutMs)
            return false;
        usleep(kPollMs * 1000);
    }
}

void ReapChildren()
{
    std::vector<pid_t>& pending = PendingChildren();
    auto ended = [](pid_t pid) {
        int status = 0;
        pid_t result = waitpid(pid, &status, WNOHANG);
        // ECHILD: someone else collected it already; it is gone either way.
        return result == pid || (result < 0 && errno == ECHILD);
    };
    pending.erase(std::remove_if(pending.begin(), pending.end(), ended), pending.end());
}

bool IsProgramOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return false;
    const std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        // An empty entry is the working folder.
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        if (access((folder + "/" + name).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

bool IsChildPending(pid_t pid)
{
    const std::vector<pid_t>& pending = PendingChildren();
    return pid > 0 && std::find(pending.begin(), pending.end(), pid) != pending.end();
}
