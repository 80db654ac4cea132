// The processes of a soak run: a private X server with a window manager, and
// the game itself in a folder of its own, watched through /proc.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <sys/types.h>

// The first window below `under`, searched depth first, whose name begins
// with `prefix`; 0 if there is none.
Window FindWindowByTitle(Display* display, Window under, const std::string& prefix);

// A private Xvfb on a display number it picks itself (-displayfd), with
// openbox managing its windows (unless asked not to); both are stopped at
// destruction.
class SoakDesktop {
public:
    SoakDesktop() = default;
    ~SoakDesktop();
    SoakDesktop(const SoakDesktop&) = delete;
    SoakDesktop& operator=(const SoakDesktop&) = delete;

    bool Start(std::string* problem, bool windowManager = true);
    const std::string& DisplayName() const { return display; }
    pid_t ServerPid() const { return server; }

private:
    // One try at starting Xvfb; its connection, or nullptr with it stopped.
    Display* StartServer();

    pid_t server = -1;
    pid_t manager = -1;
    std::string display;
};

// What the watched process holds at one moment.
struct ProcessSample {
    long rssKb = 0;            // resident set size
    int descriptors = 0;       // open file descriptors
    int children = 0;          // child processes, ended ones not yet reaped included
    long logBytes = 0;         // size of the game's log.txt
    double cpuSeconds = 0.0;   // user and system time used so far
    unsigned long long writtenBytes = 0;  // bytes written so far, by every write
};

// User and system seconds a process has used so far; 0 when it is gone.
double CpuSecondsOf(pid_t pid);

// The game started from a temporary folder: the executable copied in, Data/
// a folder of links to the generated files (so the score table stays in the
// folder), sounds sent to ALSA's null device. The folder (under $TMPDIR, else
// /tmp) is removed at destruction unless SetKeep(true) asked to keep it.
class SoakGame {
public:
    SoakGame(std::string gameDir, std::string display);
    ~SoakGame();
    SoakGame(const SoakGame&) = delete;
    SoakGame& operator=(const SoakGame&) = delete;

    bool Start(std::string* problem);
    const std::string& Folder() const { return folder; }
    void SetKeep(bool kept) { keep = kept; }
    // What the game wrote to its standard output and error so far.
    std::string Output() const;
    ProcessSample Sample() const;
    // False once the game has ended (it is reaped then).
    bool Running();
    bool WaitForExit(int timeoutMs);
    bool ExitedNormally() const;
    std::string HowItEnded() const;

private:
    std::string gameDir;
    std::string display;
    std::string folder;
    pid_t pid = -1;
    bool ended = false;
    bool keep = false;
    int status = 0;
};
