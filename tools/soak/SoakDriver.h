// The random player of a soak run: XTest keys with random holds, clicks into
// the game window, and names typed into the name dialog, all drawn from one
// seeded generator so a run can be repeated.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

class SoakDriver {
public:
    SoakDriver(std::string display, uint32_t seed);
    ~SoakDriver();
    SoakDriver(const SoakDriver&) = delete;
    SoakDriver& operator=(const SoakDriver&) = delete;

    // Connects and waits for the game window.
    bool Connect(std::string* problem);
    // One step of play (about 40 ms): releases the keys whose hold is over and
    // does the next random thing.
    void Step();
    void ReleaseAll();
    // Asks the game window to close, as a window manager's close button does.
    bool CloseGameWindow();

    // Name dialogs seen (each one ends a game) and names entered into them.
    int GamesFinished() const { return gamesFinished; }
    int NamesEntered() const { return namesEntered; }

private:
    using Clock = std::chrono::steady_clock;
    struct HeldKey {
        KeyCode code;
        Clock::time_point release;
    };

    bool Viewable(Window window) const;
    void Press(KeySym keysym, int holdMs);
    void Tap(KeySym keysym);
    void ClickInGame();
    void Click(Window window, int x, int y, unsigned button);
    void AnswerNameDialog(Window dialog);
    void Pause(int milliseconds);

    std::string displayName;
    std::mt19937 random;
    Display* display = nullptr;
    Window game = 0;
    std::vector<HeldKey> held;
    Window dialog = 0;         // the name dialog found at the last look
    bool dialogOpen = false;   // and it was up
    Clock::time_point dialogSeen;
    Clock::time_point nextDialogLook;
    int gamesFinished = 0;
    int namesEntered = 0;
};
