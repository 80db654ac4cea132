// A real FormMain on the private X server, driven tick by tick: the frame
// timer is not running (no event loop), the test calls OnTick itself, puts
// keys into the key table or hands characters to OnKeyPress. The game's
// waits return at once and its clock is one the test moves.
//
// The working folder is a temporary one holding Data/ with the generated
// pictures and sounds (from $BRUVO_GAME_DIR/Data), and a HOME whose
// .asoundrc sends aplay's samples to the file "played.raw".
#pragma once

#include "app/Application.h"
#include "game/FormMain.h"
#include "game/GameClock.h"
#include "tests/common/TempDir.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// FormMain with its protected counters reachable.
class TestGame : public FormMain {
public:
    using FormMain::FormMain;
    void SetLevel(int32_t n) { level = n; }
    void SetLives(int32_t n) { lives = n; }
    void SetScore(int32_t n) { score = n; }
    void OnTick() override
    {
        ++ticks;
        FormMain::OnTick();
    }

    void MouseMove(int x, int y) override
    {
        if (onMouseMove)
            onMouseMove();
        FormMain::MouseMove(x, y);
    }

    int ticks = 0;                       // frame timer firings
    std::function<void()> onMouseMove;  // runs as each pointer motion is handled
};

class GameFixture {
public:
    GameFixture();
    ~GameFixture();
    GameFixture(const GameFixture&) = delete;
    GameFixture& operator=(const GameFixture&) = delete;

    // False (with a test failure) when the display or the game could not be made.
    bool Ready() const { return game != nullptr; }

    void Tick(int count = 1);
    // G on the title screen, then the level asked for.
    void StartGameAt(int32_t level);
    // Ticks until the player is no longer jumping or falling; false when it took too long.
    bool LandPlayer(int maxTicks = 400);
    // Stops every bee and saucer where it is (their patrol movements go).
    void FreezeEnemies();
    // Takes the player out of its jump or fall and puts it somewhere.
    void PlacePlayer(int32_t x, int32_t y);
    // Lets the player's spawn grace run out at once, as if it had landed 2 s ago.
    void OutlastSpawnGrace();
    // Holds or releases a key as the key events would.
    void Press(uint32_t key) { game->OnKeyDown(key); }
    void Release(uint32_t key) { game->OnKeyUp(key); }
    // Moves the game's clock on.
    void AdvanceClock(int seconds);

    // Bytes of a file of the working folder; the log, the samples played.
    std::string Read(const std::string& name) const { return dir.Read(name); }
    // Waits (up to a few seconds) until played.raw stops growing, and returns its size.
    size_t PlayedBytes();
    // The data bytes of a WAV file under Data/.
    size_t WavDataBytes(const std::string& path) const;
    bool HasData() const { return hasData; }
    // An 800 x 640 picture file under Data/, compared with a layer of the game.
    bool LayerShowsFile(XImage* layer, const std::string& path) const;

    // 0xRRGGBB; a failure and 0xFFFFFFFF outside the picture.
    static uint32_t Pixel(XImage* image, int32_t x, int32_t y);

    // The seconds of every blocking wait the game asked for, in order.
    static std::vector<unsigned> waits;

    TempDir dir;
    Application* app = nullptr;  // the test program's one Application, never deleted
    TestGame* game = nullptr;

private:
    std::string oldHome;
    GameWaitFn previousWait = nullptr;
    GameClockFn previousClock = nullptr;
    bool hasData = false;
};
