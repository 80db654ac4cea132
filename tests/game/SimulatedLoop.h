// The real event loop (Form::Run) on a game form, in simulated time: the
// loop's clock and wait are replaced, so a wait moves the simulated clock on
// to its timeout or to the next scripted action, whichever comes first. An
// action runs between events, like input arriving during a wait; the X events
// it causes (XTest keys and pointer motion, focus changes) are real ones and
// reach the loop through the server.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <functional>
#include <map>

class Form;

class SimulatedLoop {
public:
    explicit SimulatedLoop(Form* running);
    ~SimulatedLoop();
    SimulatedLoop(const SimulatedLoop&) = delete;
    SimulatedLoop& operator=(const SimulatedLoop&) = delete;

    // An action at a simulated time (ms from the start).
    void At(uint64_t ms, std::function<void()> action);
    // An action whose requests are only flushed, not synced: its wait reports
    // input once the server's answer (an event or an error) reaches the
    // connection, and leaves it unread, as a real wait does.
    void AtUnsynced(uint64_t ms, std::function<void()> action);
    // The action every periodMs from firstMs up to untilMs.
    void Every(uint64_t firstMs, uint64_t periodMs, uint64_t untilMs, const std::function<void()>& action);
    // Runs the loop until the simulated clock reaches endMs; the loop then
    // ends and, as always, destroys every form's window.
    void RunUntil(uint64_t endMs);

    // Simulated ms since the start.
    uint64_t Now() const { return now; }
    // Moves the simulated clock on at once (a blocking wait of the program).
    void Advance(uint64_t ms) { now += ms; }
    // The most timer steps the loop handed over between two of its waits.
    uint64_t MostStepsBetweenWaits() const { return mostSteps; }

    static SimulatedLoop* Current() { return current; }

private:
    static uint64_t Clock();
    static int Wait(int fd, int timeoutMs);

    static inline SimulatedLoop* current = nullptr;
    Form* form;
    Display* display;
    uint64_t now = 0;
    uint64_t endMs = 0;
    uint64_t ticksAtWait = 0;
    uint64_t mostSteps = 0;
    struct Action {
        std::function<void()> run;
        bool synced;
    };
    std::multimap<uint64_t, Action> actions;
};

// Real input through XTest on the display of the running form.
void FakeKey(Display* display, KeySym keysym, bool press);
void FakeMotion(Display* display, int rootX, int rootY);
