// The bruvo executable run as a player runs it: copied into a temporary game
// folder whose Data/ links to the generated files, started on $DISPLAY, found
// by its window title, fed keys through XTest and looked at through XGetImage.
#pragma once

#include "tests/common/TempDir.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <string>
#include <vector>
#include <sys/types.h>

class GameProcess {
public:
    // The title of the game's window.
    static constexpr const char* kTitle = "Bruvo Stage Krodel by Krodel Games, 2026";

    GameProcess();
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Lays out the folder, starts the game with the arguments and waits for
    // its window; false with Problem() set when something is missing.
    bool Start(const std::vector<std::string>& arguments = {});
    // Lays out the folder and runs the game with the arguments, expecting it
    // to end without a window: its exit status, -1 when it did not end in time.
    int RunWithoutWindow(const std::vector<std::string>& arguments);
    // Starts another program of the build (an example) in the folder and
    // waits for its window of that title.
    bool Launch(const std::string& program, const std::string& title,
                const std::vector<std::string>& arguments = {});
    // Starts a program as a player starts an installed game: in an own home
    // folder (HOME, the working folder, no XDG_DATA_HOME), and as the given
    // user when the test runs as root.
    struct Player {
        std::string home;
        uid_t uid;
        gid_t gid;
    };
    bool Launch(const std::string& program, const std::string& title, const Player& player,
                const std::vector<std::string>& arguments = {});
    const std::string& Problem() const { return problem; }

    // A rectangle of the game window (form pixels), or null. The caller destroys it.
    XImage* Grab(int x, int y, int width, int height);
    // 0xRRGGBB values of a window rectangle, row by row; empty when it cannot be read.
    std::vector<uint32_t> Pixels(int x, int y, int width, int height);
    // How many pixels of the rectangle hold the colour; -1 when it cannot be read.
    int CountColour(int x, int y, int width, int height, uint32_t colour);
    // Presses and releases the key of a key symbol.
    void Key(KeySym keysym);
    // Presses or releases it.
    void Hold(KeySym keysym, bool press);
    void Type(const std::string& letters);
    // The pointer at a point of the window, the left button pressed or released.
    void PointAt(int x, int y);
    void LeftButton(bool press);
    void Click(int x, int y);
    // The same on another window of the program (a dialog), in its pixels.
    void PointAt(Window in, int x, int y);
    void Click(Window in, int x, int y);
    // Sends a window of the program the window manager's close request.
    void RequestClose(Window target);
    static void Pause(int milliseconds);

    // A top-level window whose name is exactly title, or 0 (waits up to the timeout).
    Window FindWindow(const std::string& title, int timeoutMs);
    // Size of a window, as (width, height).
    std::pair<int, int> SizeOf(Window window);
    Window GameWindow() const { return window; }
    Display* GetDisplay() const { return display; }

    // Bytes of a generated Data/ file.
    std::string DataFile(const std::string& name) const;
    // Bytes of a file of the game folder; writes one.
    std::string Read(const std::string& name) const { return folder.Read(name); }
    void Write(const std::string& name, const std::string& bytes) const { folder.Write(name, bytes); }
    std::string Path(const std::string& name) const { return folder.File(name); }

    // Asks the window manager way to close the game window and waits for the
    // program to end: its exit status, or -1 when it did not end in time.
    int Close();
    // Sends the game a signal and waits for it to end, as Close does.
    int Signal(int number);
    // Waits for the game to end by itself: its exit status, or -1 when it did not end in time.
    int WaitForExit(int timeoutMs = 10000);

private:
    bool LayOut();
    // Forks and execs the program in the player's folder, as the player, its output to /dev/null.
    bool Spawn(const std::string& program, const std::vector<std::string>& arguments, const Player& player);
    Window Search(Window under, const std::string& title);

    TempDir folder;
    std::string gameDir;
    std::string problem;
    Display* display = nullptr;
    Window window = 0;
    pid_t pid = -1;
};

// Scenes the tests play through.
// Waits until the status line's strip shows (a level, or the title's Top Ten
// line), or until a full-screen picture does; false when it does not in time.
bool WaitForStrip(GameProcess& game, int timeoutMs);
bool WaitForPicture(GameProcess& game, int timeoutMs);
// Starts a game and loses the three lives in level 2's first hole, which
// brings up the name dialog (fails the test when a step does not come).
void LoseEveryLife(GameProcess& game);
