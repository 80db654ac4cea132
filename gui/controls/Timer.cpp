#include "gui/controls/Timer.h"

#include "gui/ElementTypes.h"
#include "gui/Registry.h"

#include <algorithm>
#include <sys/select.h>
#include <vector>

Timer::Timer(GUIElement* parentForm, uint32_t intervalMs) : Child(parentForm), interval(intervalMs)
{
    type = kTypeTimer;
    text = "timer";
    tabStop = false;
    width = 0;
    height = 0;
    RegisterTimer(this);
}

void Timer::Start()
{
    if (running)
        return;
    Create();
    running = true;
}

void Timer::SetInterval(uint32_t intervalMs)
{
    interval = intervalMs;
    if (running) {
        running = false;
        Create();
        running = true;
    }
}

void Timer::Create()
{
    if (created)
        return;
    if (id == 0)
        id = ++NextElementId;
    created = true;
}

namespace {

// The walks of TickAll under way (a callback may run a nested loop that
// steps the timers too): a timer destroyed meanwhile leaves a null behind in
// each, so no walk reaches it and none loses its place.
struct TimerWalk {
    std::vector<Timer*> timers;
    TimerWalk* outer;
};
TimerWalk* innermostWalk = nullptr;

}  // namespace

Timer::~Timer()
{
    for (TimerWalk* walk = innermostWalk; walk != nullptr; walk = walk->outer)
        std::replace(walk->timers.begin(), walk->timers.end(), this, static_cast<Timer*>(nullptr));
}

void TickAll(uint32_t stepMs)
{
    // The timers of this step are those alive when it starts: timers a
    // callback starts or stops are seen at once, timers it creates wait for
    // the next step, timers it destroys are skipped.
    TimerWalk walk{TimerList, innermostWalk};
    innermostWalk = &walk;
    for (Timer* timer : walk.timers) {
        if (timer == nullptr || !timer->running)
            continue;
        timer->elapsed += stepMs;
        if (timer->elapsed >= timer->interval) {
            timer->elapsed = 0;
            if (timer->callback != nullptr)
                timer->callback(timer);
        }
    }
    innermostWalk = walk.outer;
}

int WaitForInput(int fd, int timeoutMs)
{
    if (fd < 0 || fd >= FD_SETSIZE)
        return -1;
    timeval timeout{};
    timeout.tv_sec = timeoutMs / 1000;
    timeout.tv_usec = (timeoutMs % 1000) * 1000;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    return select(fd + 1, &readable, nullptr, nullptr, &timeout);
}
