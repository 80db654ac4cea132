#include "tools/soak/SoakProcess.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <ftw.h>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int kStartWaitMs = 30000;   // for the server, the window manager and the game window
constexpr int kPollMs = 50;
constexpr int kServerAttempts = 3;   // Xvfb starts tried before giving up

void Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Forks and execs argv with the environment changes given ("NAME=value"),
// in folder when not empty, standard output and error to outputPath. When
// passFd is given the program gets it as descriptor 3.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& folder,
            const std::string& outputPath, int passFd = -1)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // Nothing outlives a soak tool that was killed.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (!folder.empty() && chdir(folder.c_str()) != 0)
        _exit(127);
    for (const std::string& entry : env)
        putenv(const_cast<char*>(entry.c_str()));
    const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
    }
    const int in = open("/dev/null", O_RDONLY);
    if (in >= 0)
        dup2(in, STDIN_FILENO);
    if (passFd >= 0 && passFd != 3)
        dup2(passFd, 3);
    for (int fd = passFd >= 0 ? 4 : 3; fd < 1024; ++fd)
        close(fd);
    execvp(args[0], args.data());
    _exit(127);
}

void Stop(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int waited = 0; waited < 5000; waited += kPollMs) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        Sleep(kPollMs);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

bool CopyExecutable(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    out.close();
    return in.good() && out.good() && chmod(to.c_str(), 0755) == 0;
}

int RemoveEntry(const char* path, const struct stat*, int, FTW*)
{
    return remove(path);
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The fields of /proc/<pid>/stat after the command's closing parenthesis:
// [0] is the state, [1] the parent, [11] and [12] user and system ticks.
std::vector<std::string> StatFields(const std::string& pid)
{
    const std::string stat = ReadWhole("/proc/" + pid + "/stat");
    const size_t close = stat.rfind(')');
    std::vector<std::string> fields;
    if (close == std::string::npos)
        return fields;
    std::istringstream rest(stat.substr(close + 1));
    for (std::string field; rest >> field;)
        fields.push_back(field);
    return fields;
}

// True once the window manager frames a new window: it then handles the
// game's windows too (it announces itself before it does).
bool WindowManagerFrames(Display* display)
{
    const Window root = DefaultRootWindow(display);
    const Window probe = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(display, probe);
    XSync(display, False);
    bool framed = false;
    for (int waited = 0; waited < kStartWaitMs && !framed; waited += kPollMs) {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, probe, &rootReturn, &parent, &children, &count)) {
            framed = parent != root;
            if (children != nullptr)
                XFree(children);
        }
        if (!framed)
            Sleep(kPollMs);
    }
    XDestroyWindow(display, probe);
    XSync(display, False);
    return framed;
}

} // namespace

SoakDesktop::~SoakDesktop()
{
    Stop(manager);
    Stop(server);
}

Display* SoakDesktop::StartServer()
{
    // Xvfb picks a free display itself and writes its number to the pipe
    // once it accepts clients; no number is guessed here.
    int ends[2];
    if (pipe(ends) != 0)
        return nullptr;
    server = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, {}, "",
                   "/dev/null", ends[1]);
    close(ends[1]);
    std::string number;
    char byte = 0;
    pollfd watched{ends[0], POLLIN, 0};
    while (poll(&watched, 1, kStartWaitMs) > 0 && read(ends[0], &byte, 1) == 1 && byte != '\n')
        number += byte;
    close(ends[0]);
    Display* connection = nullptr;
    if (byte == '\n' && !number.empty()) {
        display = ":" + number;
        connection = XOpenDisplay(display.c_str());
    }
    if (connection == nullptr)
        Stop(server);
    return connection;
}

bool SoakDesktop::Start(std::string* problem, bool windowManager)
{
    Display* connection = nullptr;
    for (int attempt = 0; attempt < kServerAttempts && connection == nullptr; ++attempt)
        connection = StartServer();
    if (connection == nullptr) {
        *problem = "Xvfb did not start (is it installed?)";
        return false;
    }
    if (!windowManager) {
        XCloseDisplay(connection);
        return true;
    }
    manager = Spawn({"openbox", "--sm-disable"}, {"DISPLAY=" + display}, "", "/dev/null");
    const bool managed = WindowManagerFrames(connection);
    XCloseDisplay(connection);
    if (!managed)
        *problem = "openbox did not start (is it installed?)";
    return managed;
}

SoakGame::SoakGame(std::string gameDir, std::string display) : gameDir(std::move(gameDir)), display(std::move(display))
{
}

SoakGame::~SoakGame()
{
    if (pid > 0 && !ended) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (!keep && !folder.empty())
        nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string SoakGame::Output() const
{
    return folder.empty() ? std::string() : ReadWhole(folder + "/stdout.txt");
}

bool SoakGame::Start(std::string* problem)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/bruvo_soak.XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) {
        *problem = "cannot make a temporary folder in " + pattern.substr(0, pattern.rfind('/'));
        return false;
    }
    folder = pattern;
    // The links in Data/ must not depend on where the tool was started.
    char* absolute = realpath(gameDir.c_str(), nullptr);
    if (absolute == nullptr) {
        *problem = "no folder " + gameDir;
        return false;
    }
    gameDir = absolute;
    std::free(absolute);
    if (!CopyExecutable(gameDir + "/bruvo", folder + "/bruvo")) {
        *problem = "cannot copy " + gameDir + "/bruvo";
        return false;
    }
    mkdir((folder + "/Data").c_str(), 0777);
    DIR* data = opendir((gameDir + "/Data").c_str());
    if (data == nullptr) {
        *problem = "no " + gameDir + "/Data: build the game first";
        return false;
    }
    while (dirent* entry = readdir(data)) {
        const std::string name = entry->d_name;
        if (entry->d_type == DT_REG && symlink((gameDir + "/Data/" + name).c_str(), (folder + "/Data/" + name).c_str()) != 0) {
            *problem = "cannot link " + name;
            closedir(data);
            return false;
        }
    }
    closedir(data);
    std::ofstream(folder + "/.asoundrc") << "pcm.!default {\n  type null\n}\n";
    pid = Spawn({"./bruvo"}, {"DISPLAY=" + display, "HOME=" + folder}, folder, folder + "/stdout.txt");
    if (pid < 0) {
        *problem = "cannot start the game";
        return false;
    }
    return true;
}

ProcessSample SoakGame::Sample() const
{
    ProcessSample sample;
    if (pid <= 0 || ended)
        return sample;
    const std::string self = std::to_string(pid);
    std::istringstream status(ReadWhole("/proc/" + self + "/status"));
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            sample.rssKb = std::atol(line.c_str() + 6);
    if (DIR* fds = opendir(("/proc/" + self + "/fd").c_str())) {
        while (dirent* entry = readdir(fds))
            sample.descriptors += entry->d_name[0] != '.';
        closedir(fds);
        --sample.descriptors;   // the listing's own descriptor
    }
    if (DIR* all = opendir("/proc")) {
        while (dirent* entry = readdir(all)) {
            if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
                continue;
            const std::vector<std::string> fields = StatFields(entry->d_name);
            sample.children += fields.size() > 1 && fields[1] == self;
        }
        closedir(all);
    }
    struct stat log {};
    if (stat((folder + "/log.txt").c_str(), &log) == 0)
        sample.logBytes = static_cast<long>(log.st_size);
    sample.cpuSeconds = CpuSecondsOf(pid);
    std::istringstream io(ReadWhole("/proc/" + self + "/io"));
    for (std::string key; io >> key;)
        if (key == "wchar:")
            io >> sample.writtenBytes;
    return sample;
}

double CpuSecondsOf(pid_t pid)
{
    const std::vector<std::string> fields = StatFields(std::to_string(pid));
    if (fields.size() <= 12)
        return 0.0;
    return (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool SoakGame::Running()
{
    if (ended)
        return false;
    if (waitpid(pid, &status, WNOHANG) == pid)
        ended = true;
    return !ended;
}

bool SoakGame::WaitForExit(int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += kPollMs) {
        if (!Running())
            return true;
        Sleep(kPollMs);
    }
    return false;
}

bool SoakGame::ExitedNormally() const
{
    return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string SoakGame::HowItEnded() const
{
    if (!ended)
        return "still running";
    if (WIFSIGNALED(status))
        return std::string("killed by signal ") + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

Window FindWindowByTitle(Display* display, Window under, const std::string& prefix)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name != nullptr) {
            if (std::strncmp(name, prefix.c_str(), prefix.size()) == 0)
                found = children[i];
            XFree(name);
        }
        if (found == 0)
            found = FindWindowByTitle(display, children[i], prefix);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}
