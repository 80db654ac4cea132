// StepClock: turns a monotonic clock into the whole 10 ms steps the event loop
// hands to the timers (TickAll), so timer time follows wall time however many
// events arrive. A step that falls due while a handler runs is handed over at
// the next pass between events. After a long stall (a blocking wait, a stopped
// process) only kMaxCatchUpSteps steps are caught up and the rest is dropped,
// so nothing runs in a burst. Needs no X.
#pragma once

#include <cstdint>

class StepClock {
public:
    static constexpr uint32_t kStepMs = 10;      // one timer step
    static constexpr int kMaxCatchUpSteps = 5;   // steps handed over at most after a stall

    explicit StepClock(uint64_t nowMs) : nextStepMs(nowMs + kStepMs) {}

    // The steps due at nowMs, at most kMaxCatchUpSteps: when more are due,
    // the oldest are dropped for good.
    int DueSteps(uint64_t nowMs);
    // One due step has been handed to the timers.
    void StepTaken() { nextStepMs += kStepMs; }
    // Milliseconds from nowMs to the next step (0 when one is due).
    int MsToNextStep(uint64_t nowMs) const;
    // The next step comes one step after nowMs; nothing counted so far is due.
    void Restart(uint64_t nowMs) { nextStepMs = nowMs + kStepMs; }

private:
    uint64_t nextStepMs;  // monotonic ms at which the next step falls due
};

// The loop's clock and wait, replaceable so that tests drive the loop in
// simulated time: LoopClock gives monotonic milliseconds (CLOCK_MONOTONIC by
// default), LoopWait waits on the X connection like WaitForInput and also
// wakes for a stop signal (the default, in app/EventLoop.cpp).
using LoopClockFn = uint64_t (*)();
using LoopWaitFn = int (*)(int fd, int timeoutMs);
extern LoopClockFn LoopClock;
extern LoopWaitFn LoopWait;

// CLOCK_MONOTONIC in milliseconds.
uint64_t MonotonicMs();
