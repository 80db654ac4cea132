// A real FormMain on the private X server, driven tick by tick: the frame
// timer is not running (no event loop), the test calls OnTick itself, puts
// keys into the key table or hands characters to OnKeyPress; the world steps
// once per tick as in the game. Without an X display the fixture makes no
// game and the tests skip.
//
// The working folder is a temporary one holding Data/ with the generated
// pictures and sounds (from $BRUVO_GAME_DIR/Data), and a HOME whose
// .asoundrc sends aplay's samples to the file "played.raw".
#pragma once

#include "app/Application.h"
#include "game/FormMain.h"
#include "tests/common/TempDir.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <functional>
#include <string>

// FormMain counting its ticks, with a hook on pointer motion.
class TestGame : public FormMain {
public:
    using FormMain::FormMain;
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

    int ticks = 0;                      // frame timer firings
    std::function<void()> onMouseMove;  // runs as each pointer motion is handled
};

class GameFixture {
public:
    explicit GameFixture(GameInput input = GameInput());
    ~GameFixture();
    GameFixture(const GameFixture&) = delete;
    GameFixture& operator=(const GameFixture&) = delete;

    // False when there is no display (the test skips) or the game could not be made.
    bool Ready() const { return game != nullptr; }

    void Tick(int count = 1);
    World& W() { return game->GetWorld(); }
    // G on the title screen's world, then the level asked for; one tick composes it.
    void StartGameAt(int32_t level);
    // Steps the world through the wait it is in, without the form (nothing is
    // composed or shown meanwhile), then ticks once: the form acts on all of it.
    void SkipWait();
    // Loses lives (each with its wait) until one is left.
    void LeaveOneLife();
    // A game at that level and score whose lives are all lost: the name entry is open.
    void LoseTheGame(int32_t level, int32_t score);
    // The enemies stopped where they are and the player standing on the ground at x.
    void StandAt(int32_t x);
    // Holds or releases a key as the key events would.
    void Press(uint32_t key) { game->OnKeyDown(key); }
    void Release(uint32_t key) { game->OnKeyUp(key); }

    // Bytes of a file of the working folder; the log, the samples played.
    std::string Read(const std::string& name) const { return dir.Read(name); }
    // Waits (up to a few seconds) until played.raw stops growing, and returns its size.
    size_t PlayedBytes();
    // The data bytes of a WAV file under Data/.
    size_t WavDataBytes(const std::string& path) const;
    // An 800 x 640 picture file under Data/, compared with a layer of the game.
    bool LayerShowsFile(XImage* layer, const std::string& path) const;

    // 0xRRGGBB; a failure and 0xFFFFFFFF outside the picture.
    static uint32_t Pixel(XImage* image, int32_t x, int32_t y);

    TempDir dir;
    Application* app = nullptr;  // the test program's one Application, never deleted
    TestGame* game = nullptr;

private:
    std::string oldHome;
};
