#include "services/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

[[noreturn]] void ExecInChild(const ExecPlan& plan)
{
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

pid_t ForkAndExec(const std::vector<std::string>& args)
{
    if (args.empty())
        return -1;
    ExecPlan plan = MakePlan(args);
    pid_t pid = fork();
    if (pid == 0)
        ExecInChild(plan);
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

pid_t StartChild(const std::vector<std::string>& argv)
{
    pid_t pid = ForkAndExec(argv);
    Remember(pid);
    return pid < 0 ? -1 : pid;
}

int RunChildAndWait(const std::vector<std::string>& argv)
{
    pid_t pid = ForkAndExec(argv);
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

pid_t StartChildFunction(void (*body)(void* context), void* context)
{
    pid_t pid = fork();
    if (pid == 0) {
        CloseInheritedDescriptors();
        // The loop's handlers for the stop signals belong to the parent: here
        // they would keep SIGTERM from ending the child.
        for (int number : {SIGTERM, SIGINT, SIGHUP})
            signal(number, SIG_DFL);
        body(context);
        // _exit, not exit: the parent's exit handlers and buffered output
        // belong to the parent and must not run or be flushed twice.
        _exit(0);
    }
    Remember(pid);
    return pid < 0 ? -1 : pid;
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

bool IsChildPending(pid_t pid)
{
    const std::vector<pid_t>& pending = PendingChildren();
    return pid > 0 && std::find(pending.begin(), pending.end(), pid) != pending.end();
}
