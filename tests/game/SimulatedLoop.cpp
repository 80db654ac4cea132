#include "tests/game/SimulatedLoop.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "app/StepClock.h"
#include "gui/Form.h"

#include <X11/extensions/XTest.h>
#include <poll.h>

namespace {
constexpr int kAnswerWaitMs = 10000;  // real ms, generous: the server's answer to an unsynced action
LoopClockFn savedClock = nullptr;
LoopWaitFn savedWait = nullptr;
}  // namespace

SimulatedLoop::SimulatedLoop(Form* running) : form(running), display(running->GetApplication()->GetDisplay())
{
    current = this;
    savedClock = LoopClock;
    savedWait = LoopWait;
    LoopClock = Clock;
    LoopWait = Wait;
}

SimulatedLoop::~SimulatedLoop()
{
    LoopClock = savedClock;
    LoopWait = savedWait;
    current = nullptr;
    QuitRequested = false;
}

void SimulatedLoop::At(uint64_t ms, std::function<void()> action) { actions.emplace(ms, Action{std::move(action), true}); }

void SimulatedLoop::AtUnsynced(uint64_t ms, std::function<void()> action)
{
    actions.emplace(ms, Action{std::move(action), false});
}

void SimulatedLoop::Every(uint64_t firstMs, uint64_t periodMs, uint64_t untilMs,
                          const std::function<void()>& action)
{
    for (uint64_t ms = firstMs; ms < untilMs; ms += periodMs)
        At(ms, action);
}

void SimulatedLoop::RunUntil(uint64_t end)
{
    endMs = end;
    QuitRequested = false;
    ticksAtWait = LoopCounters.ticks;
    XSync(display, False);
    form->Run();
    QuitRequested = false;
}

uint64_t SimulatedLoop::Clock() { return current->now; }

int SimulatedLoop::Wait(int /*fd*/, int timeoutMs)
{
    SimulatedLoop& loop = *current;
    const uint64_t steps = LoopCounters.ticks - loop.ticksAtWait;
    if (steps > loop.mostSteps)
        loop.mostSteps = steps;
    loop.ticksAtWait = LoopCounters.ticks;

    const uint64_t wakeAt = loop.now + static_cast<uint64_t>(timeoutMs);
    const auto next = loop.actions.begin();
    if (next == loop.actions.end() || next->first > wakeAt || next->first >= loop.endMs) {
        loop.now = wakeAt;
        if (loop.now >= loop.endMs)
            QuitRequested = true;
        return 0;
    }
    if (next->first > loop.now)
        loop.now = next->first;
    const Action action = next->second;
    loop.actions.erase(next);
    action.run();
    if (!action.synced) {
        XFlush(loop.display);
        pollfd connection{ConnectionNumber(loop.display), POLLIN, 0};
        return poll(&connection, 1, kAnswerWaitMs) > 0 ? 1 : 0;
    }
    XSync(loop.display, False);
    // Input arrived when the action caused an event for this client.
    return XPending(loop.display) != 0 ? 1 : 0;
}

void FakeKey(Display* display, KeySym keysym, bool press)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), press ? True : False, CurrentTime);
    XSync(display, False);
}

void FakeMotion(Display* display, int rootX, int rootY)
{
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XSync(display, False);
}
