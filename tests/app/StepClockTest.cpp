// The loop's step clock on its own, with times handed in.
#include <gtest/gtest.h>

#include "app/StepClock.h"

namespace {

// Takes every due step at nowMs, as the loop does between events.
int TakeAll(StepClock& clock, uint64_t nowMs)
{
    int taken = 0;
    while (clock.DueSteps(nowMs) > 0) {
        clock.StepTaken();
        ++taken;
    }
    return taken;
}

}  // namespace

TEST(StepClock, StepsFollowTheClockInWholeTenMillisecondSteps)
{
    StepClock clock(1000);
    EXPECT_EQ(clock.DueSteps(1009), 0);
    EXPECT_EQ(clock.MsToNextStep(1004), 6);
    EXPECT_EQ(TakeAll(clock, 1010), 1);
    // Time spent between passes counts: 37 ms later three more steps are due,
    // and the fourth comes 3 ms after that.
    EXPECT_EQ(TakeAll(clock, 1047), 3);
    EXPECT_EQ(clock.MsToNextStep(1047), 3);
    EXPECT_EQ(clock.MsToNextStep(1050), 0);

    // Over a second of passes at uneven times, exactly a hundred steps.
    StepClock even(0);
    int total = 0;
    for (uint64_t now = 0; now <= 1000; now += 7)
        total += TakeAll(even, now);
    total += TakeAll(even, 1000);
    EXPECT_EQ(total, 100);
}

TEST(StepClock, AfterAStallOnlyTheNamedNumberOfStepsIsCaughtUp)
{
    StepClock clock(0);
    EXPECT_EQ(TakeAll(clock, 10), 1);
    // Three seconds without a pass: the rest of the stall is dropped.
    EXPECT_EQ(clock.DueSteps(3010), StepClock::kMaxCatchUpSteps);
    EXPECT_EQ(TakeAll(clock, 3010), StepClock::kMaxCatchUpSteps);
    EXPECT_EQ(clock.DueSteps(3010), 0);
    EXPECT_EQ(clock.MsToNextStep(3010), 10);
    EXPECT_EQ(TakeAll(clock, 3020), 1);
}

TEST(StepClock, RestartLeavesNothingDue)
{
    StepClock clock(0);
    clock.Restart(5000);
    EXPECT_EQ(clock.DueSteps(5009), 0);
    EXPECT_EQ(clock.DueSteps(5010), 1);
}
