// Google Test before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include "tests/e2e/GameProcess.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
// XGetImage on a window being torn down fails with BadMatch: not fatal here.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

bool CopyFile(const std::string& from, const std::string& to)
{
    const std::string bytes = ReadFileBytes(from);
    if (bytes.empty())
        return false;
    const int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0755);
    if (fd < 0)
        return false;
    const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    return written;
}
}  // namespace

GameProcess::GameProcess()
{
    const char* dir = std::getenv("BRUVO_GAME_DIR");
    gameDir = dir != nullptr ? dir : "";
}

GameProcess::~GameProcess()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    if (display != nullptr)
        XCloseDisplay(display);
}

bool GameProcess::LayOut()
{
    if (gameDir.empty()) {
        problem = "BRUVO_GAME_DIR is not set";
        return false;
    }
    if (!CopyFile(gameDir + "/bruvo", folder.File("bruvo"))) {
        problem = "cannot copy " + gameDir + "/bruvo";
        return false;
    }
    // A real Data/ folder of links, so what the game writes there stays here.
    mkdir(folder.File("Data").c_str(), 0777);
    DIR* data = opendir((gameDir + "/Data").c_str());
    if (data == nullptr) {
        problem = "no " + gameDir + "/Data: build the bruvo target";
        return false;
    }
    while (dirent* entry = readdir(data)) {
        // Files only: a table folder left by a played game stays out.
        const std::string name = entry->d_name;
        if (entry->d_type == DT_REG)
            symlink((gameDir + "/Data/" + name).c_str(), folder.File("Data/" + name).c_str());
    }
    closedir(data);
    folder.Write(".asoundrc", "pcm.!default {\n  type null\n}\n");
    folder.Write("joystick.cfg", "JoystickEnable= 0\n");
    return true;
}

bool GameProcess::Start(const std::vector<std::string>& arguments)
{
    return LayOut() && Launch("./bruvo", kTitle, arguments);
}

int GameProcess::RunWithoutWindow(const std::vector<std::string>& arguments)
{
    if (!LayOut() || !Spawn("./bruvo", arguments, Player{folder.Path(), getuid(), getgid()}))
        return -1;
    return WaitForExit();
}

bool GameProcess::Spawn(const std::string& program, const std::vector<std::string>& arguments,
                        const Player& player)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        if (chdir(player.home.c_str()) != 0)
            _exit(127);
        setenv("HOME", player.home.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        const bool switchUser = player.uid != getuid();
        if (switchUser && (setgroups(0, nullptr) != 0 || setgid(player.gid) != 0 || setuid(player.uid) != 0))
            _exit(127);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            close(null);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (pid < 0) {
        problem = "fork failed";
        return false;
    }
    return true;
}

bool GameProcess::Launch(const std::string& program, const std::string& title,
                         const std::vector<std::string>& arguments)
{
    return Launch(program, title, Player{folder.Path(), getuid(), getgid()}, arguments);
}

bool GameProcess::Launch(const std::string& program, const std::string& title, const Player& player,
                         const std::vector<std::string>& arguments)
{
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        problem = "no X display";
        return false;
    }
    XSetErrorHandler(IgnoreXError);
    if (!Spawn(program, arguments, player))
        return false;
    window = FindWindow(title, 10000);
    if (window == 0) {
        problem = "the window \"" + title + "\" did not appear";
        return false;
    }
    return true;
}

Window GameProcess::Search(Window under, const std::string& title)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name != nullptr) {
            if (title == name)
                found = children[i];
            XFree(name);
        }
        if (found == 0)
            found = Search(children[i], title);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

Window GameProcess::FindWindow(const std::string& title, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        const Window found = Search(DefaultRootWindow(display), title);
        if (found != 0) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, found, &attributes) && attributes.map_state == IsViewable)
                return found;
        }
        Pause(50);
    }
    return 0;
}

std::pair<int, int> GameProcess::SizeOf(Window target)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, target, &attributes))
        return {0, 0};
    return {attributes.width, attributes.height};
}

XImage* GameProcess::Grab(int x, int y, int width, int height)
{
    if (window == 0)
        return nullptr;
    return XGetImage(display, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                     AllPlanes, ZPixmap);
}

std::vector<uint32_t> GameProcess::Pixels(int x, int y, int width, int height)
{
    std::vector<uint32_t> pixels;
    XImage* image = Grab(x, y, width, height);
    if (image == nullptr)
        return pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, col, row) & 0xFFFFFF));
    XDestroyImage(image);
    return pixels;
}

int GameProcess::CountColour(int x, int y, int width, int height, uint32_t colour)
{
    const std::vector<uint32_t> pixels = Pixels(x, y, width, height);
    if (pixels.empty())
        return -1;
    int count = 0;
    for (uint32_t pixel : pixels)
        count += pixel == colour ? 1 : 0;
    return count;
}

void GameProcess::Hold(KeySym keysym, bool press)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), press ? True : False, CurrentTime);
    XFlush(display);
}

void GameProcess::Key(KeySym keysym)
{
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XFlush(display);
    Pause(40);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
    Pause(40);
}

void GameProcess::Type(const std::string& letters)
{
    for (char letter : letters)
        Key(XStringToKeysym(std::string(1, letter).c_str()));
}

void GameProcess::PointAt(int x, int y)
{
    PointAt(window, x, y);
}

void GameProcess::PointAt(Window in, int x, int y)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, in, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XFlush(display);
    Pause(40);
}

void GameProcess::LeftButton(bool press)
{
    XTestFakeButtonEvent(display, Button1, press ? True : False, CurrentTime);
    XFlush(display);
    Pause(40);
}

void GameProcess::Click(int x, int y)
{
    Click(window, x, y);
}

void GameProcess::Click(Window in, int x, int y)
{
    PointAt(in, x, y);
    LeftButton(true);
    LeftButton(false);
}

void GameProcess::Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

std::string GameProcess::DataFile(const std::string& name) const { return ReadFileBytes(gameDir + "/Data/" + name); }

void GameProcess::RequestClose(Window target)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

int GameProcess::Close()
{
    if (pid <= 0)
        return -1;
    RequestClose(window);
    return WaitForExit();
}

int GameProcess::Signal(int number)
{
    if (pid <= 0 || kill(pid, number) != 0)
        return -1;
    return WaitForExit();
}

int GameProcess::WaitForExit(int timeoutMs)
{
    if (pid <= 0)
        return -1;
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            pid = -1;
            window = 0;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        Pause(50);
    }
    return -1;
}

namespace {
// Waits until the top-left corner shows the status line's fill (a level, or
// the title's Top Ten strip, is on the window) or, with strip false, a
// readable corner without it (a full-screen picture).
bool WaitForCorner(GameProcess& game, bool strip, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        const int filled = game.CountColour(0, 0, 4, 4, 0x010101);
        if (filled >= 0 && (filled == 16) == strip)
            return true;
        GameProcess::Pause(20);
    }
    return false;
}
}  // namespace

bool WaitForStrip(GameProcess& game, int timeoutMs) { return WaitForCorner(game, true, timeoutMs); }
bool WaitForPicture(GameProcess& game, int timeoutMs) { return WaitForCorner(game, false, timeoutMs); }

void LoseEveryLife(GameProcess& game)
{
    GameProcess::Pause(1500);  // the title is loading
    game.Key(XK_g);
    ASSERT_TRUE(WaitForStrip(game, 5000));
    game.Key(XK_n);  // level 2: a hole just left of where the player lands
    ASSERT_TRUE(WaitForPicture(game, 3000));

    for (int life = 3; life >= 1; --life) {
        ASSERT_TRUE(WaitForStrip(game, 8000)) << "level 2 did not start, life " << life;
        GameProcess::Pause(1800);  // the player lands on column 6
        const KeyCode left = XKeysymToKeycode(game.GetDisplay(), XK_Left);
        XTestFakeKeyEvent(game.GetDisplay(), left, True, CurrentTime);
        XFlush(game.GetDisplay());
        GameProcess::Pause(250);
        XTestFakeKeyEvent(game.GetDisplay(), left, False, CurrentTime);
        XFlush(game.GetDisplay());
        ASSERT_TRUE(WaitForPicture(game, 5000)) << "no death, life " << life;
    }
}
