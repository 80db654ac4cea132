// The game's frame clock under the real event loop, in simulated time: game
// time follows the clock whatever input arrives, the game's own waits keep it
// running, and a long stall is not run off in a burst.
#include <gtest/gtest.h>

#include "app/StepClock.h"
#include "support/Packing.h"
#include "tests/common/XTestSupport.h"
#include "tests/game/GameFixture.h"
#include "tests/game/SimulatedLoop.h"

#include <X11/keysym.h>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

constexpr uint64_t kRunMs = 2000;  // simulated

enum class Input { Quiet, PointerMotion, KeyRepeat };

// Frame ticks of the title screen over kRunMs of simulated time with a stream of input.
int TitleTicksUnder(Input input)
{
    GameFixture f;
    if (!f.Ready())
        return -1;
    Display* display = f.app->GetDisplay();
    const uint64_t origin = f.game->GetPosition();
    const int x = PointX(origin) + 200, y = PointY(origin) + 300;
    SimulatedLoop loop(f.game);
    int step = 0;
    if (input == Input::PointerMotion) {
        // An ordinary mouse: a report every 8 ms, moving to and fro over the window.
        loop.Every(0, 8, kRunMs, [&] { FakeMotion(display, x + (step++ % 2), y); });
    } else if (input == Input::KeyRepeat) {
        // A held key as the server's auto-repeat sends it: release and press every 30 ms.
        FakeKey(display, XK_Right, true);
        loop.Every(30, 30, kRunMs, [&] {
            FakeKey(display, XK_Right, false);
            FakeKey(display, XK_Right, true);
        });
    }
    const int before = f.game->ticks;
    loop.RunUntil(kRunMs);
    if (input == Input::KeyRepeat)
        FakeKey(display, XK_Right, false);
    return f.game->ticks - before;
}

}  // namespace

TEST(GameLoop, PointerMotionAndKeyRepeatLeaveTheFrameClockAtItsIdleRate)
{
    BRUVO_SKIP_WITHOUT_DISPLAY();
    const int idle = TitleTicksUnder(Input::Quiet);
    EXPECT_NEAR(idle, static_cast<int>(kRunMs / StepClock::kStepMs), 1);
    EXPECT_NEAR(TitleTicksUnder(Input::PointerMotion), idle, 1);
    EXPECT_NEAR(TitleTicksUnder(Input::KeyRepeat), idle, 1);
}

// The three seconds after a finished level are game time: the clock runs
// through them. A handler that blocks the program for as long (a stall) is
// not run off in a burst: only a few steps are caught up.
TEST(GameLoop, TheWaitOfAFinishedLevelKeepsTheClockRunningAndAStallIsNotRunOffInABurst)
{
    BRUVO_SKIP_WITHOUT_DISPLAY();
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    Display* display = f.app->GetDisplay();
    SimulatedLoop loop(f.game);
    loop.At(100, [&] {
        FakeKey(display, XK_g, true);
        FakeKey(display, XK_g, false);
    });
    loop.At(1000, [&] {
        FakeKey(display, XK_n, true);  // N skips the level: three seconds' picture, then the restart
        FakeKey(display, XK_n, false);
    });
    int beforeStall = 0;
    loop.At(6000, [&] {
        beforeStall = f.game->ticks;
        loop.Advance(3000);
    });
    const int before = f.game->ticks;
    loop.RunUntil(9500);
    EXPECT_EQ(f.W().GetLevel(), 2);
    EXPECT_EQ(f.W().GetGameState(), GameState::Playing);
    EXPECT_NEAR(beforeStall - before, 6000 / 10, 2) << "no step lost to the game's own waits";
    EXPECT_EQ(loop.MostStepsBetweenWaits(), static_cast<uint64_t>(StepClock::kMaxCatchUpSteps));
    // The stall's three seconds are gone from game time, all but the steps caught up.
    EXPECT_NEAR(f.game->ticks - beforeStall, StepClock::kMaxCatchUpSteps + (9500 - 9000) / 10, 2);
}

TEST(GameLoop, AnErrorReplyWithNoEventBehindItLeavesTheFrameClockRunning)
{
    BRUVO_SKIP_WITHOUT_DISPLAY();
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    Display* display = f.app->GetDisplay();
    // Focusing a window that is not mapped answers BadMatch, and nothing else.
    const Window unmapped = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XSync(display, False);

    // Should the loop wait in XNextEvent for an event that never comes, a
    // second connection wakes it (after a generous real time) with one.
    Display* waker = XOpenDisplay(nullptr);
    ASSERT_NE(waker, nullptr);
    const Window gameWindow = f.game->GetWindow();
    std::mutex mutex;
    std::condition_variable ended;
    bool runEnded = false;
    bool wokenUp = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (ended.wait_for(lock, std::chrono::seconds(15), [&] { return runEnded; }))
            return;
        wokenUp = true;
        XEvent wake{};
        wake.xclient.type = ClientMessage;
        wake.xclient.window = gameWindow;
        wake.xclient.format = 32;
        wake.xclient.message_type = XInternAtom(waker, "BRUVO_TEST_WAKE", False);
        XSendEvent(waker, gameWindow, False, NoEventMask, &wake);
        XFlush(waker);
    });

    SimulatedLoop loop(f.game);
    loop.AtUnsynced(100, [&] { XSetInputFocus(display, unmapped, RevertToNone, CurrentTime); });
    const int before = f.game->ticks;
    loop.RunUntil(500);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        runEnded = true;
    }
    ended.notify_one();
    watchdog.join();
    XCloseDisplay(waker);
    XDestroyWindow(display, unmapped);

    EXPECT_FALSE(wokenUp) << "the loop waited for an event after the error";
    EXPECT_NEAR(f.game->ticks - before, 500 / static_cast<int>(StepClock::kStepMs), 1);
}

TEST(GameLoop, EventsThatKeepTheQueueBusyCostNoGameTime)
{
    BRUVO_SKIP_WITHOUT_DISPLAY();
    GameFixture f;
    ASSERT_TRUE(f.Ready());
    Display* display = f.app->GetDisplay();
    const uint64_t origin = f.game->GetPosition();
    const int x = PointX(origin) + 200, y = PointY(origin) + 300;
    SimulatedLoop loop(f.game);
    constexpr int kMotions = 60;
    constexpr uint64_t kHandlingMs = 3;  // simulated, per motion: 180 ms with events always queued
    loop.At(100, [&] {
        for (int i = 0; i < kMotions; ++i)
            FakeMotion(display, x + i % 2, y);
    });
    int handled = 0;
    f.game->onMouseMove = [&] {
        ++handled;
        loop.Advance(kHandlingMs);
    };
    const int before = f.game->ticks;
    loop.RunUntil(1000);
    f.game->onMouseMove = nullptr;
    EXPECT_GE(handled, kMotions - 1);
    EXPECT_NEAR(f.game->ticks - before, 1000 / static_cast<int>(StepClock::kStepMs), 1);
}
