// InputQueue: the events that come between two steps (keys typed and let go,
// the name entry closed), handed to the world a step at a time, in order.
#pragma once

#include "game/world/StepInput.h"

#include <algorithm>
#include <vector>

class InputQueue {
public:
    InputQueue() { waiting.reserve(kCapacity); }

    void Push(StepInput::Event event, char character = 0) { waiting.push_back(StepInput::Entry{event, character}); }
    // The next step's input: the directions held, and as many waiting events
    // as a step takes; the rest wait for the steps after it.
    StepInput Take(uint8_t held)
    {
        StepInput input;
        input.held = held;
        size_t taken = 0;
        while (taken < waiting.size() && input.Add(waiting[taken].event, waiting[taken].character))
            ++taken;
        waiting.erase(waiting.begin(), waiting.begin() + static_cast<std::ptrdiff_t>(taken));
        return input;
    }

private:
    static constexpr size_t kCapacity = 64;  // events: far more than come between two steps
    std::vector<StepInput::Entry> waiting;
};
