#include "gui/controls/Timer.h"

#include "gui/ElementTypes.h"
#include "gui/Registry.h"

#include <sys/select.h>

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

void TickAll(uint32_t stepMs)
{
    // Walked by index over the length at the start: timers a callback starts or
    // stops are seen at once, timers it creates wait for the next step. The
    // second bound keeps a callback that destroys timers from reading past the end.
    const size_t count = TimerList.size();
    for (size_t i = 0; i < count && i < TimerList.size(); ++i) {
        Timer* timer = TimerList[i];
        if (!timer->running)
            continue;
        timer->elapsed += stepMs;
        if (timer->elapsed >= timer->interval) {
            timer->elapsed = 0;
            if (timer->callback != nullptr)
                timer->callback(timer);
        }
    }
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
