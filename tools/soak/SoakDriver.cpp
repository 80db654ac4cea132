#include "tools/soak/SoakDriver.h"

#include "tools/soak/SoakProcess.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <thread>

namespace {

constexpr const char* kGameTitle = "Bruvo Stage Krodel";   // the start of the game window's title
constexpr const char* kDialogTitle = "Classifica";          // the name dialog's title
constexpr int kStepMs = 40;
constexpr int kWindowWaitMs = 60000;
constexpr int kDialogLookMs = 500;     // the window tree is searched at most this often
constexpr int kDialogThinkMs = 700;    // a player reads the dialog before typing

// The keys a player uses, most of them the moving ones.
const KeySym kPlayKeys[] = {XK_Left, XK_Right, XK_Up, XK_Down, XK_a, XK_d, XK_w, XK_x,
                            XK_Left, XK_Right, XK_Up, XK_Left, XK_Right, XK_space};

// A window being torn down answers some requests with an error: not fatal.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

} // namespace

SoakDriver::SoakDriver(std::string display, uint32_t seed) : displayName(std::move(display)), random(seed) {}

SoakDriver::~SoakDriver()
{
    if (display != nullptr) {
        ReleaseAll();
        XCloseDisplay(display);
    }
}

bool SoakDriver::Connect(std::string* problem)
{
    display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        *problem = "cannot connect to " + displayName;
        return false;
    }
    XSetErrorHandler(IgnoreXError);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        *problem = "the X server has no XTest";
        return false;
    }
    for (int waited = 0; waited < kWindowWaitMs && game == 0; waited += 100) {
        const Window found = FindWindowByTitle(display, DefaultRootWindow(display), kGameTitle);
        if (found != 0 && Viewable(found))
            game = found;
        else
            Pause(100);
    }
    if (game == 0)
        *problem = "the game window did not appear";
    nextDialogLook = Clock::now();
    return game != 0;
}

bool SoakDriver::Viewable(Window window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

void SoakDriver::Pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SoakDriver::Press(KeySym keysym, int holdMs)
{
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0)
        return;
    for (const HeldKey& key : held)
        if (key.code == code)
            return;
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    held.push_back({code, Clock::now() + std::chrono::milliseconds(holdMs)});
}

void SoakDriver::Tap(KeySym keysym)
{
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0)
        return;
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XFlush(display);
    Pause(30 + static_cast<int>(random() % 60));
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
    Pause(30);
}

void SoakDriver::ReleaseAll()
{
    for (const HeldKey& key : held)
        XTestFakeKeyEvent(display, key.code, False, CurrentTime);
    held.clear();
    XFlush(display);
}

void SoakDriver::ClickInGame()
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, game, &attributes) || attributes.width < 1 || attributes.height < 1)
        return;
    const int x = static_cast<int>(random() % static_cast<unsigned>(attributes.width));
    const int y = static_cast<int>(random() % static_cast<unsigned>(attributes.height));
    Click(game, x, y, 1 + static_cast<unsigned>(random() % 3));
}

void SoakDriver::Click(Window window, int x, int y, unsigned button)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child))
        return;
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XFlush(display);
    Pause(20 + static_cast<int>(random() % 200));
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XFlush(display);
}

// A click into the entry field (in the middle of the dialog), which gives the
// dialog the keyboard as a window manager does on a click, then a name of up
// to ten letters (sometimes with a slip mended by Backspace, sometimes none
// at all, which the dialog refuses with a beep) and Enter.
void SoakDriver::AnswerNameDialog(Window dialog)
{
    ReleaseAll();
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, dialog, &attributes))
        Click(dialog, attributes.width / 2, attributes.height / 2, 1);
    Pause(100);
    const int letters = static_cast<int>(random() % 13);
    for (int i = 0; i < letters; ++i) {
        Tap(XK_a + static_cast<KeySym>(random() % 26));
        if (random() % 10 == 0)
            Tap(XK_BackSpace);
    }
    Tap(XK_Return);
    namesEntered += letters > 0 ? 1 : 0;
}

void SoakDriver::Step()
{
    const Clock::time_point now = Clock::now();
    for (auto key = held.begin(); key != held.end();) {
        if (key->release <= now) {
            XTestFakeKeyEvent(display, key->code, False, CurrentTime);
            key = held.erase(key);
        } else {
            ++key;
        }
    }
    if (now >= nextDialogLook) {
        nextDialogLook = now + std::chrono::milliseconds(kDialogLookMs);
        dialog = FindWindowByTitle(display, DefaultRootWindow(display), kDialogTitle);
        const bool open = dialog != 0 && Viewable(dialog);
        if (open && !dialogOpen) {
            ++gamesFinished;
            dialogSeen = now;
        }
        dialogOpen = open;
    }
    if (dialogOpen && now - dialogSeen > std::chrono::milliseconds(kDialogThinkMs)) {
        AnswerNameDialog(dialog);
        dialogSeen = Clock::now();
        XFlush(display);
        return;
    }

    // Per thousand steps: 300 held moving keys, 30 G, 4 N, 2 P, 30 clicks
    // and 20 other letters; the rest of the steps only wait.
    const unsigned roll = random() % 1000;
    if (roll < 300)
        Press(kPlayKeys[random() % (sizeof kPlayKeys / sizeof kPlayKeys[0])], 30 + static_cast<int>(random() % 1500));
    else if (roll < 330)
        Tap(XK_g);   // starts a game on the title, a key like any other elsewhere
    else if (roll < 334)
        Tap(XK_n);
    else if (roll < 336)
        Tap(XK_p);
    else if (roll < 366)
        ClickInGame();
    else if (roll < 386)
        Tap(XK_a + static_cast<KeySym>(random() % 26));
    XFlush(display);
    Pause(kStepMs);
}

bool SoakDriver::CloseGameWindow()
{
    if (game == 0)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = game;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, game, False, NoEventMask, &event);
    XFlush(display);
    return true;
}
