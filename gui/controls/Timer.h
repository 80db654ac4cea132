// Timer: an invisible control that calls a function periodically. The event
// loop hands it the clock's time in whole 10 ms steps (TickAll), between
// events and never inside a handler (app/StepClock.h).
#pragma once

#include "gui/Child.h"

#include <cstdint>

class Timer : public Child {
public:
    using Callback = void (*)(Timer* timer);

    Timer(GUIElement* parentForm, uint32_t intervalMs);
    ~Timer() override;

    void SetCallback(Callback function) { callback = function; }
    // Neither Start nor SetInterval resets the time counted so far.
    void Start();
    void Stop() { running = false; }
    bool IsRunning() const { return running; }
    void SetInterval(uint32_t intervalMs);
    uint32_t GetInterval() const { return interval; }
    uint32_t GetElapsed() const { return elapsed; }

    void Create() override;

private:
    friend void TickAll(uint32_t stepMs);

    bool running = false;
    uint32_t interval;     // ms
    uint32_t elapsed = 0;  // ms since the last firing
    Callback callback = nullptr;
};

// Advances every running timer by the step and fires those whose interval has
// elapsed, in TimerList order. A callback may create and destroy timers: the
// step reaches the timers alive when it started and still alive.
void TickAll(uint32_t stepMs);
// Waits until the descriptor is readable or the timeout passes; select's result
// (0 on timeout, -1 on failure).
int WaitForInput(int fd, int timeoutMs);
