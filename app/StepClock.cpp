#include "app/StepClock.h"

#include <ctime>

LoopClockFn LoopClock = MonotonicMs;

uint64_t MonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

int StepClock::DueSteps(uint64_t nowMs)
{
    if (nowMs < nextStepMs)
        return 0;
    uint64_t due = (nowMs - nextStepMs) / kStepMs + 1;
    if (due > static_cast<uint64_t>(kMaxCatchUpSteps)) {
        nextStepMs += (due - kMaxCatchUpSteps) * kStepMs;
        due = kMaxCatchUpSteps;
    }
    return static_cast<int>(due);
}
int StepClock::MsToNextStep(uint64_t nowMs) const
{
    // The clock reads whole milliseconds, truncated: waiting the full
    // difference never wakes before the step, so the loop does not spin.
    return nowMs >= nextStepMs ? 0 : static_cast<int>(nextStepMs - nowMs);
}
