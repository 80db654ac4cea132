// StepInput: everything from outside that one 10 ms step of the world takes:
// the directions held (the key table's four slots, and the joystick), and the
// events since the last step in the order they came (a typed character, a key
// let go, the name entry finished, the player looking away). A recorded game
// is a list of these.
#pragma once

#include <cstdint>

struct StepInput {
    // Bits of `held`.
    static constexpr uint8_t kLeft = 1;
    static constexpr uint8_t kRight = 2;
    static constexpr uint8_t kUp = 4;
    static constexpr uint8_t kDown = 8;
    static constexpr uint8_t kAllHeld = kLeft | kRight | kUp | kDown;

    enum class Event : uint8_t {
        Typed = 1,        // a key press with its character
        KeyReleased = 2,  // a key let go in the game window
        NameEntered = 3,  // the name entry after the last life was closed
        LookedAway = 4,   // the game window lost the keyboard or was iconified
    };
    static constexpr Event kLastEvent = Event::LookedAway;

    struct Entry {
        Event event;
        char character;  // the typed character; 0 for the other events
    };

    // Events one step takes; more wait for the next step.
    static constexpr int kMaxEvents = 8;

    // False when the step is full.
    bool Add(Event event, char character = 0)
    {
        if (eventCount >= kMaxEvents)
            return false;
        events[eventCount++] = Entry{event, character};
        return true;
    }
    bool Holds(uint8_t direction) const { return (held & direction) != 0; }

    uint8_t held = 0;
    int eventCount = 0;
    Entry events[kMaxEvents] = {};
};
