// Keys as a player presses them, through real X events and the real event
// loop (in simulated time): the focus going elsewhere, Caps Lock, keys held
// across the opening of the name dialog, and the key that leaves the
// recorded score for the title.
#include <gtest/gtest.h>

#include "forms/FormNamePlayer.h"
#include "gui/controls/TextBoxCustom.h"
#include "tests/common/XTestSupport.h"
#include "tests/game/GameFixture.h"
#include "tests/game/SimulatedLoop.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <chrono>
#include <thread>

namespace {

class GameInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BRUVO_SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(f.Ready());
        display = f.app->GetDisplay();
    }

    // Level 1 (with only its last life, if asked) with the player standing on
    // the ground at x, the enemies frozen and the keyboard's focus on the game.
    void StandAt(int32_t x, bool lastLife = false)
    {
        f.StartGameAt(1);
        if (lastLife)
            f.LeaveOneLife();
        f.StandAt(x);
        XSetInputFocus(display, f.game->GetWindow(), RevertToParent, CurrentTime);
        XSync(display, False);
    }
    SpritePlayer* Player() { return f.W().Field().GetPlayer(); }

    void Tap(KeySym keysym)
    {
        FakeKey(display, keysym, true);
        FakeKey(display, keysym, false);
    }

    bool CapsLockOn()
    {
        unsigned state = 0;
        XkbGetIndicatorState(display, XkbUseCoreKbd, &state);
        return (state & 1u) != 0;
    }

    GameFixture f;
    Display* display = nullptr;
};

// Auto-repeat pairs (a release and a press of the key with one time stamp,
// back to back) among the key events a second connection got.
int RepeatPairsAmong(Display* watcher, KeyCode key)
{
    int pairs = 0;
    XKeyEvent release{};
    bool released = false;
    while (XPending(watcher) != 0) {
        XEvent event;
        XNextEvent(watcher, &event);
        if (event.type == XKeyPressEventType && released && event.xkey.keycode == key && event.xkey.time == release.time)
            ++pairs;
        released = event.type == KeyRelease && event.xkey.keycode == key;
        if (released)
            release = event.xkey;
    }
    return pairs;
}

// The server's auto-repeat of a held key, as a window gets it.
void SendRepeatPair(Display* display, Window window, KeyCode key)
{
    XEvent event{};
    event.xkey.display = display;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.keycode = key;
    event.xkey.same_screen = True;
    event.xkey.time = CurrentTime;
    event.type = KeyRelease;
    XSendEvent(display, window, False, KeyReleaseMask, &event);
    event.type = XKeyPressEventType;
    XSendEvent(display, window, False, KeyPressMask, &event);
    XSync(display, False);
}

}  // namespace

TEST_F(GameInputTest, LosingTheFocusReleasesAHeldKey)
{
    StandAt(600);
    const Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 900, 0, 100, 100, 0, 0, 0);
    XMapWindow(display, other);
    XSync(display, False);

    SimulatedLoop loop(f.game);
    int32_t xAtFocusChange = -1;
    loop.At(10, [&] { FakeKey(display, XK_Left, true); });
    loop.At(400, [&] {
        xAtFocusChange = Player()->GetX();
        XSetInputFocus(display, other, RevertToParent, CurrentTime);
    });
    // Released in the other window: the game never hears of it.
    loop.At(420, [&] { FakeKey(display, XK_Left, false); });
    loop.RunUntil(1500);
    XDestroyWindow(display, other);

    EXPECT_LT(xAtFocusChange, 600 - 80) << "Left walked the player while the game had the focus";
    EXPECT_GE(Player()->GetX(), xAtFocusChange - 8) << "the player walked on after the focus went";
    EXPECT_FALSE(f.game->IsKeyDown(KeyTable::kLeft));
}

TEST_F(GameInputTest, WithCapsLockOnHoldingDWalksRight)
{
    StandAt(100);
    ASSERT_FALSE(CapsLockOn());
    Tap(XK_Caps_Lock);
    ASSERT_TRUE(CapsLockOn());

    SimulatedLoop loop(f.game);
    loop.At(10, [&] { FakeKey(display, XK_d, true); });
    loop.At(400, [&] { FakeKey(display, XK_d, false); });
    loop.RunUntil(600);
    Tap(XK_Caps_Lock);
    EXPECT_FALSE(CapsLockOn());

    EXPECT_EQ(f.W().GetGameState(), GameState::Playing);
    EXPECT_GT(Player()->GetX(), 100 + 80);
}

TEST_F(GameInputTest, AKeyHeldAsTheNameDialogOpensTypesNothingThere)
{
    StandAt(376, true);
    SimulatedLoop loop(f.game);
    loop.At(10, [&] { FakeKey(display, XK_p, true); });
    loop.At(20, [&] { f.W().PlayerDies(); });  // the last life: the dialog opens with the focus
    // Held on, long enough for the server's auto-repeat to reach the dialog.
    // A second connection sees what the dialog gets; should the server not
    // repeat keys of XTest, the test sends the repeat itself.
    int repeatPairs = 0;
    loop.At(30, [&] {
        ASSERT_NE(f.game->GetNameForm(), nullptr);
        const Window dialog = f.game->GetNameForm()->GetWindow();
        const KeyCode key = XKeysymToKeycode(display, XK_p);
        Display* watcher = XOpenDisplay(nullptr);
        ASSERT_NE(watcher, nullptr);
        XSelectInput(watcher, dialog, KeyPressMask | KeyReleaseMask);
        XSync(watcher, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(900));
        XSync(watcher, False);
        repeatPairs = RepeatPairsAmong(watcher, key);
        if (repeatPairs == 0) {
            SendRepeatPair(display, dialog, key);
            XSync(watcher, False);
            repeatPairs = RepeatPairsAmong(watcher, key);
        }
        XCloseDisplay(watcher);
    });
    loop.At(40, [&] { FakeKey(display, XK_p, false); });
    loop.At(60, [&] { Tap(XK_b); });
    loop.At(80, [&] {
        FakeKey(display, XK_n, true);
        FakeKey(display, XK_o, true);
        FakeKey(display, XK_n, false);
        FakeKey(display, XK_o, false);
    });
    loop.RunUntil(200);

    EXPECT_GE(repeatPairs, 1) << "no auto-repeat reached the dialog";
    ASSERT_NE(f.game->GetNameForm(), nullptr);
    EXPECT_EQ(f.game->GetNameForm()->GetNameBox()->GetText(), "bno");
}

TEST_F(GameInputTest, PressAnyKeyWaitsForAKeyPressedAfterTheNameWasEntered)
{
    StandAt(376, true);
    SimulatedLoop loop(f.game);
    GameState afterHeldKey = GameState::Building;
    loop.At(10, [&] { f.W().PlayerDies(); });  // the last life: the name dialog
    loop.At(20, [&] { Tap(XK_a); });
    loop.At(30, [&] { FakeKey(display, XK_Shift_L, true); });  // held as the name is entered
    loop.At(40, [&] { Tap(XK_Return); });
    loop.At(60, [&] { FakeKey(display, XK_Shift_L, false); });
    loop.At(80, [&] { afterHeldKey = f.W().GetGameState(); });
    loop.At(100, [&] { Tap(XK_Left); });  // types nothing
    loop.RunUntil(200);

    EXPECT_EQ(afterHeldKey, GameState::ScoreRecorded) << "a key pressed in the dialog does not count";
    EXPECT_EQ(f.W().GetGameState(), GameState::Loading) << "the title loads";
}
