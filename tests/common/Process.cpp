#include "tests/common/Process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
std::vector<char*> CStrings(const std::vector<std::string>& items)
{
    std::vector<char*> result;
    for (const auto& item : items)
        result.push_back(const_cast<char*>(item.c_str()));
    result.push_back(nullptr);
    return result;
}
}

ChildProgram::ChildProgram(const std::vector<std::string>& argv, const std::string& folder,
                           const std::vector<std::string>& env)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe failed";
        return;
    }
    auto args = CStrings(argv);
    pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        for (const auto& entry : env) {
            auto eq = entry.find('=');
            if (eq == std::string::npos)
                unsetenv(entry.c_str());
            else
                setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
        }
        execv(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    outFd = fds[0];
    fcntl(outFd, F_SETFL, O_NONBLOCK);
}

ChildProgram::~ChildProgram()
{
    Terminate();
    if (outFd >= 0)
        close(outFd);
}

bool ChildProgram::WaitExit(int timeoutMs)
{
    if (exited)
        return true;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        Output();  // keep the pipe drained so the child never blocks on it
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            Output();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

const std::string& ChildProgram::Output()
{
    char buffer[4096];
    for (;;) {
        ssize_t n = read(outFd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, static_cast<size_t>(n));
    }
    return output;
}

void ChildProgram::Terminate()
{
    if (pid <= 0 || exited)
        return;
    kill(pid, SIGTERM);
    if (!WaitExit(3000)) {
        kill(pid, SIGKILL);
        WaitExit(3000);
    }
}

PrivateXServer::PrivateXServer(int depth, const std::string& size)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    const std::string screen = size + "x" + std::to_string(depth);
    pid = fork();
    if (pid == 0) {
        dup2(fds[1], 3);  // -displayfd writes the chosen number here
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The server writes the number and the line feed separately and dies if
    // the pipe is gone in between: read up to the line feed, and keep the
    // pipe open as long as the server runs.
    readyFd = fds[0];
    std::string number;
    pollfd ready{readyFd, POLLIN, 0};
    while (poll(&ready, 1, 10000) == 1) {
        char c = 0;
        if (read(readyFd, &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    if (!number.empty())
        display = ":" + number;
}

PrivateXServer::~PrivateXServer()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    if (readyFd >= 0)
        close(readyFd);
}

std::string GameDir()
{
    const char* dir = std::getenv("BRUVO_GAME_DIR");
    return dir != nullptr ? dir : BRUVO_DEFAULT_GAME_DIR;
}
