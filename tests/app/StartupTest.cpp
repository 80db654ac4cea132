// The real executable, started the way a player starts it.
#include "tests/common/Process.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <memory>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kWindowWaitMs = 30000;  // generous: a loaded machine under the sanitizers
constexpr int kPollMs = 50;

bool IsViewableGameWindow(Display* display, Window window)
{
    XWindowAttributes attributes{};
    XClassHint hint{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable ||
        !XGetClassHint(display, window, &hint))
        return false;
    const bool game = hint.res_class != nullptr && std::string(hint.res_class) == "Bruvo.exe";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return game;
}

// Waits until the game's window is mapped on the server; false when it never is.
bool WaitForGameWindow(const std::string& displayName)
{
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr)
        return false;
    // A window the game destroys between the listing and a look at it is no error here.
    const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    bool found = false;
    for (int waited = 0; !found && waited < kWindowWaitMs; waited += kPollMs) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i)
                found = IsViewableGameWindow(display, children[i]);
            XFree(children);
        }
        if (!found)
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    // Closed while the server is still there to hear it.
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return found;
}

// A game folder in a temporary place: the executable and the generated Data/.
void PrepareGameFolder(const TempDir& dir)
{
    ASSERT_FALSE(GameDir().empty()) << "BRUVO_GAME_DIR is not set";
    ASSERT_EQ(symlink((GameDir() + "/bruvo").c_str(), dir.File("bruvo").c_str()), 0);
    if (access((GameDir() + "/Data").c_str(), F_OK) == 0) {
        ASSERT_EQ(symlink((GameDir() + "/Data").c_str(), dir.File("Data").c_str()), 0);
    }
}
}

TEST(Startup, WithoutADisplayExitsAtOnceWithOneLogLine)
{
    TempDir dir;
    PrepareGameFolder(dir);
    dir.Write("log.txt", "stale line from an earlier run\n");

    auto started = std::chrono::steady_clock::now();
    ChildProgram game({dir.File("bruvo")}, dir.Path(), {"DISPLAY"});
    ASSERT_TRUE(game.WaitExit(5000));
    auto took = std::chrono::steady_clock::now() - started;

    EXPECT_EQ(game.ExitStatus(), 1);
    EXPECT_LT(took, std::chrono::seconds(1));
    const std::string& out = game.Output();
    EXPECT_EQ(out.rfind("XOpenDisplay(0) failed.\n", 0), 0u) << out;
    EXPECT_NE(out.find("DISPLAY"), std::string::npos) << "tells the user what is needed: " << out;
    EXPECT_EQ(dir.Read("log.txt"), "XOpenDisplay(0) failed.\n");
}

TEST(Startup, OnATrueColourDisplayLogsNothing)
{
    TempDir dir;
    PrepareGameFolder(dir);
    dir.Write("log.txt", "stale\n");
    ChildProgram game({dir.File("bruvo")}, dir.Path());
    // The game runs until it is closed; a moment of running is enough here.
    bool exited = game.WaitExit(2500);
    if (exited) {
        EXPECT_EQ(game.ExitStatus(), 0) << game.Output();
    }
    EXPECT_EQ(access(dir.File("log.txt").c_str(), F_OK), -1) << dir.Read("log.txt");
}

TEST(Startup, OnASixteenBitDisplayWarnsAndStillStarts)
{
    PrivateXServer server(16);
    ASSERT_TRUE(server.Started()) << "Xvfb could not be started";
    TempDir dir;
    PrepareGameFolder(dir);
    ChildProgram game({dir.File("bruvo")}, dir.Path(), {"DISPLAY=" + server.Display()});
    bool exited = game.WaitExit(2500);
    if (exited) {
        EXPECT_EQ(game.ExitStatus(), 0) << game.Output();
    }
    const std::string log = dir.Read("log.txt");
    EXPECT_EQ(log.rfind("This app requires 24-bit depth.\n", 0), 0u) << log;
}

TEST(Startup, WhenTheServerGoesAwayTheGameLogsItAndEndsWithStatusOne)
{
    auto server = std::make_unique<PrivateXServer>(24);
    ASSERT_TRUE(server->Started()) << "Xvfb could not be started";
    TempDir dir;
    PrepareGameFolder(dir);
    ChildProgram game({dir.File("bruvo")}, dir.Path(), {"DISPLAY=" + server->Display()});
    ASSERT_TRUE(WaitForGameWindow(server->Display())) << game.Output();
    ASSERT_FALSE(game.WaitExit(0)) << game.Output();
    server.reset();
    ASSERT_TRUE(game.WaitExit(10000)) << "the game hangs without its X server";
    EXPECT_EQ(game.ExitStatus(), 1);
    const std::string log = dir.Read("log.txt");
    EXPECT_NE(log.find("Connection to the X server lost.\n"), std::string::npos) << log;
}
