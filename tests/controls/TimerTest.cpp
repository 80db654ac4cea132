// Timers: stepped directly with TickAll, and fired by the running loop.
#include "tests/gui/GuiTestSupport.h"

using namespace guitest;

namespace {

class TimerTest : public GuiTest {};

std::vector<std::string> fired;

void RecordFiring(Timer* timer)
{
    fired.push_back(timer->GetName());
}

TEST_F(TimerTest, ConstructionRegistersAStoppedInvisibleTimer)
{
    Timer timer(nullptr, 30);
    EXPECT_EQ(timer.GetType(), "timer");
    EXPECT_EQ(timer.GetText(), "timer");
    EXPECT_FALSE(timer.IsTabStop());
    EXPECT_EQ(timer.GetSize(), PackPoint(0, 0));
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(timer.GetInterval(), 30u);
    timer.GetUserDataRef() = 5;
    timer.Start();
    EXPECT_TRUE(timer.IsCreated());
    EXPECT_FALSE(timer.IsVisible());
    EXPECT_NE(timer.GetId(), 0u);
    EXPECT_EQ(timer.GetUserDataRef(), 5u) << "Create leaves userData alone";
}

TEST_F(TimerTest, IntervalThirtyFiresAfterThreeStepsAndStopKeepsTheCount)
{
    fired.clear();
    Timer timer(nullptr, 30);
    timer.SetName("t");
    timer.SetCallback(&RecordFiring);
    TickAll(10);
    EXPECT_TRUE(fired.empty()) << "not started";
    timer.Start();
    TickAll(10);
    TickAll(10);
    EXPECT_TRUE(fired.empty());
    TickAll(10);
    EXPECT_EQ(fired.size(), 1u);
    EXPECT_EQ(timer.GetElapsed(), 0u);

    TickAll(10);
    timer.Stop();
    TickAll(10);
    TickAll(10);
    EXPECT_EQ(timer.GetElapsed(), 10u) << "a stopped timer does not count";
    timer.Start();
    TickAll(10);
    EXPECT_EQ(fired.size(), 1u);
    TickAll(10);
    EXPECT_EQ(fired.size(), 2u) << "old count plus two steps";
    timer.SetInterval(20);
    EXPECT_TRUE(timer.IsRunning());
    TickAll(10);
    TickAll(10);
    EXPECT_EQ(fired.size(), 3u);
}

TEST_F(TimerTest, IntervalZeroFiresEveryStepAndTimersFireInConstructionOrder)
{
    fired.clear();
    Timer second(nullptr, 0);  // constructed first, so it fires first
    Timer first(nullptr, 0);
    second.SetName("a");
    first.SetName("b");
    second.SetCallback(&RecordFiring);
    first.SetCallback(&RecordFiring);
    first.Start();
    second.Start();
    TickAll(10);
    TickAll(10);
    EXPECT_EQ(fired, (std::vector<std::string>{"a", "b", "a", "b"}));
}

TEST_F(TimerTest, ATimerWithoutCallbackKeepsFiringSilently)
{
    Timer timer(nullptr, 25);
    timer.Start();
    TickAll(10);
    TickAll(10);
    EXPECT_EQ(timer.GetElapsed(), 20u);
    TickAll(10);
    EXPECT_EQ(timer.GetElapsed(), 0u) << "25 ms fires on the third step";
}

Timer* doomed = nullptr;
void DestroyOther(Timer*)
{
    delete doomed;
    doomed = nullptr;
}

TEST_F(TimerTest, ACallbackThatDestroysATimerDoesNotBreakTheWalk)
{
    Timer killer(nullptr, 0);
    doomed = new Timer(nullptr, 0);
    killer.SetCallback(&DestroyOther);
    killer.Start();
    doomed->Start();
    TickAll(10);
    EXPECT_EQ(doomed, nullptr);
    EXPECT_EQ(TimerList.size(), 1u);
}

TEST_F(TimerTest, ACallbackThatDestroysAnEarlierTimerLeavesTheLaterOnesTheirStep)
{
    fired.clear();
    doomed = new Timer(nullptr, 0);
    Timer killer(nullptr, 0);
    Timer last(nullptr, 0);
    killer.SetCallback(&DestroyOther);
    last.SetName("last");
    last.SetCallback(&RecordFiring);
    doomed->Start();
    killer.Start();
    last.Start();
    TickAll(10);
    EXPECT_EQ(fired, std::vector<std::string>{"last"});
    TickAll(10);
    EXPECT_EQ(fired, (std::vector<std::string>{"last", "last"}));
}

TEST_F(TimerTest, WaitForInputTimesOutOnAQuietDescriptor)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_EQ(WaitForInput(fds[0], 10), 0);
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    EXPECT_EQ(WaitForInput(fds[0], 10), 1);
    close(fds[0]);
    close(fds[1]);
    EXPECT_EQ(WaitForInput(-1, 10), -1);
}

struct LoopFiring {
    uint64_t ticksAtStart = 0;
    std::vector<uint64_t> ticksAtFiring;
};
LoopFiring loopFiring;

void FireAndQuitOnTheSecond(Timer*)
{
    loopFiring.ticksAtFiring.push_back(LoopCounters.ticks - loopFiring.ticksAtStart);
    if (loopFiring.ticksAtFiring.size() == 2)
        QuitRequested = true;
}

TEST_F(TimerTest, TheRunningLoopFiresFromItsIdleWaits)
{
    RecordingForm form("form", 0, 0, 100, 100);
    form.Create();
    Sync();
    Timer timer(&form, 30);
    timer.SetCallback(&FireAndQuitOnTheSecond);
    loopFiring = LoopFiring{};
    loopFiring.ticksAtStart = LoopCounters.ticks;
    timer.Start();
    form.Run();
    EXPECT_EQ(loopFiring.ticksAtFiring, (std::vector<uint64_t>{3, 6}));
    EXPECT_TRUE(Called("form:Paint")) << "events were handled between the waits";
    QuitRequested = false;
}

}  // namespace
