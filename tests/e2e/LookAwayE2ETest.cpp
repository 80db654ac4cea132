// The game under a window manager (openbox on an Xvfb of the test's own), as
// a player meets it: the keyboard going to another window in the middle of a
// walk, and the game window iconified, each pause the game under "PAUSED";
// it stays paused when the game has the keyboard again, until P.
#include <gtest/gtest.h>

#include "tests/common/ChildWatch.h"
#include "tests/common/Process.h"
#include "tests/e2e/GameProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <string>
#include <vector>

namespace {

// Whether the window stands in a frame of the window manager.
bool Framed(Display* display, Window window)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return false;
    if (children != nullptr)
        XFree(children);
    return parent != root;
}

// Waits until a window manager says it runs (its check window on the root).
bool ManagerRunning()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    bool running = false;
    for (int i = 0; i < 100 && !running; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        running = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType, &type,
                                     &format, &count, &after, &data) == Success &&
                  count == 1;
        if (data != nullptr)
            XFree(data);
        if (!running)
            GameProcess::Pause(50);
    }
    XCloseDisplay(display);
    return running;
}

void Focus(Display* display, Window window)
{
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    GameProcess::Pause(300);
}

// Waits (up to 5 s) for the "PAUSED" box (near-black, white border) in the
// window's middle, then checks that the whole window keeps its picture over
// a second.
void ExpectPaused(GameProcess& game, const char* when)
{
    const auto boxShown = [&game] {
        return game.CountColour(360, 305, 80, 30, 0x010101) > 1000 &&
               game.CountColour(350, 300, 100, 40, 0xFFFFFF) > 100;
    };
    for (int i = 0; i < 100 && !boxShown(); ++i)
        GameProcess::Pause(50);
    EXPECT_TRUE(boxShown()) << when << ": no PAUSED box";
    const std::vector<uint32_t> first = game.Pixels(0, 0, 800, 640);
    GameProcess::Pause(1000);
    EXPECT_EQ(game.Pixels(0, 0, 800, 640), first) << when << ": the picture moved";
}

void ExpectMoving(GameProcess& game, const char* when)
{
    const std::vector<uint32_t> first = game.Pixels(0, 0, 800, 640);
    GameProcess::Pause(400);
    EXPECT_NE(game.Pixels(0, 0, 800, 640), first) << when << ": the game stands still";
}

TEST(LookingAway, FocusElsewhereOrIconifyPausesTheGameUntilP)
{
    PrivateXServer server(24, "1280x1024");
    ASSERT_TRUE(server.Started());
    ScopedEnv display("DISPLAY", server.Display());
    ChildProgram manager({"/usr/bin/openbox", "--sm-disable"}, "/", {"DISPLAY=" + server.Display()});
    ASSERT_TRUE(ManagerRunning()) << "openbox did not start";

    GameProcess game;
    ASSERT_TRUE(game.Start()) << game.Problem();
    Display* x = game.GetDisplay();
    for (int i = 0; i < 100 && !Framed(x, game.GameWindow()); ++i)
        GameProcess::Pause(50);
    ASSERT_TRUE(Framed(x, game.GameWindow())) << "openbox does not manage the window";
    Focus(x, game.GameWindow());
    GameProcess::Pause(1000);  // the loading and the title
    game.Key(XK_g);
    GameProcess::Pause(1500);  // the level and the player's drop
    ExpectMoving(game, "in play");

    // Mid-walk, the keyboard goes to another window.
    const Window other = XCreateSimpleWindow(x, DefaultRootWindow(x), 900, 700, 200, 150, 0, 0, 0xFFFFFF);
    XMapWindow(x, other);
    XSync(x, False);
    game.Hold(XK_Right, true);
    GameProcess::Pause(300);
    Focus(x, other);
    game.Hold(XK_Right, false);
    ExpectPaused(game, "the keyboard elsewhere");
    Focus(x, game.GameWindow());
    ExpectPaused(game, "the keyboard back");
    game.Key(XK_p);
    ExpectMoving(game, "after P");

    // Iconified, then restored.
    XIconifyWindow(x, game.GameWindow(), DefaultScreen(x));
    XSync(x, False);
    GameProcess::Pause(1500);
    XMapRaised(x, game.GameWindow());
    XSync(x, False);
    GameProcess::Pause(500);
    Focus(x, game.GameWindow());
    ExpectPaused(game, "iconified and restored");
    game.Key(XK_p);
    ExpectMoving(game, "after P again");
    XDestroyWindow(x, other);
    EXPECT_EQ(game.Close(), 0);
}

}  // namespace
