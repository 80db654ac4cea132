// Running real programs from tests: the game executable, a private Xvfb.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A program started with an argument vector in a given folder, its standard
// output captured into a pipe. Killed and reaped at destruction if still running.
class ChildProgram {
public:
    // env entries "NAME=value" are set, "NAME" alone is removed.
    ChildProgram(const std::vector<std::string>& argv, const std::string& folder,
                 const std::vector<std::string>& env = {});
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    pid_t Pid() const { return pid; }
    // Waits up to timeoutMs for the exit; true when it exited. Status in ExitStatus().
    bool WaitExit(int timeoutMs);
    int ExitStatus() const { return exitStatus; }
    // Everything the program wrote to standard output so far (reads the pipe dry).
    const std::string& Output();
    void Terminate();

private:
    pid_t pid = -1;
    int outFd = -1;
    bool exited = false;
    int exitStatus = -1;
    std::string output;
};

// An Xvfb of its own on a free display number, for tests that need a server
// different from the one the test run provides (another depth, say).
class PrivateXServer {
public:
    explicit PrivateXServer(int depth, const std::string& size = "1024x768");
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool Started() const { return !display.empty(); }
    const std::string& Display() const { return display; }

private:
    pid_t pid = -1;
    int readyFd = -1;
    std::string display;
};

// Folder of the built game (executable and Data/), from BRUVO_GAME_DIR.
std::string GameDir();
