// World: the whole state of a game of Bruvo Stage Krodel, without X. It runs
// the game's state machine (loading, the title, play, the pause, the waits
// after a lost life or a finished level, the name entry, the recorded score),
// keeps the level, the score and the lives, and owns the playfield with every
// sprite. It advances by one 10 ms step from a StepInput and tells what
// happened through plain values: the picture to show, the sprites with their
// frames and places, the status values, the title's texts, the banner, and
// a list of cues (a sound, the name entry to open, a wait begun).
// The game form (FormMain) feeds it input and draws what it reads; a
// recorded game replays through it exactly, with or without a window.
#pragma once

#include "game/world/Playfield.h"
#include "game/world/StepInput.h"

#include <cstdint>
#include <vector>

enum class GameState : int32_t {
    Building = 0,       // construction, and a level while it is built
    Title = 1,          // waiting for G
    Playing = 2,
    Paused = 3,         // the P key
    Restarting = 4,     // waiting to start the (next) level
    NameEntry = 5,      // the name entry after the last life
    ScoreRecorded = 6,  // any key returns to the title
    Loading = 7,        // "L O A D I N G . . ." before the title
    LifeLost = 8,       // the lost-life picture, before Restarting
    LevelDone = 9,      // the finished-level picture, before Restarting
};

// The full-screen picture under everything.
enum class Backdrop : int32_t {
    Blank,      // nothing loaded yet: the window's fill
    Title,
    Level,      // the backdrop of the level's layout
    LifeLost,
    LevelDone,
    GameOver,
};

enum class Banner : int32_t { Hidden, Paused, PressAnyKey };

enum class Sound : int32_t { Coin, Cry };

// Something that happened in a step that the form acts on once.
struct Cue {
    enum class Kind : int32_t {
        PlaySound,       // `sound`
        OpenNameEntry,   // the last life is lost
        WaitBegan,       // a wait of `ms` of game time began (loading, a lost life, a finished level, a restart)
        TitleShown,      // the title screen appeared (its high-score lines are wanted)
    };
    Kind kind;
    Sound sound;  // PlaySound only
    int32_t ms;   // WaitBegan only
};

// The top strip of the title screen.
struct TitleStrip {
    enum class Shows : int32_t {
        Picture,   // the title picture as it is
        Cleared,   // filled with the near-black colour
        Line,      // cleared, with the high-score line `line` (from 0)
    };
    Shows shows = Shows::Picture;
    int32_t line = 0;
};

class World {
public:
    static constexpr int32_t kCoinValue = 50;            // points
    static constexpr int32_t kStartingLives = 3;
    static constexpr int32_t kLoadingMs = 1000;          // "L O A D I N G" before the title
    static constexpr int32_t kSequenceMs = 3000;         // the picture after a lost life or a finished level
    static constexpr int32_t kRestartMs = 1500;          // then, before the level starts
    static constexpr int32_t kFirstBlinkMs = 500;        // the title prompt's first change
    static constexpr int32_t kBlinkMs = 1000;            // and every following one
    static constexpr int32_t kBlinkCycle = 5;            // the high-score strip changes every fifth blink

    World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The loading wait, then the title; at the first paint and from state 6.
    void RunApp();
    // One 10 ms step: the input's events in order, then the tick of the state.
    void Step(const StepInput& input);
    // What happened since the cues were last cleared: the form acts on them
    // after each step and clears them.
    const std::vector<Cue>& Cues() const { return cues; }
    void ClearCues() { cues.clear(); }
    // Steps taken so far.
    int64_t Steps() const { return steps; }

    // The game flow: a game from G, the keys, the sequences.
    void StartGame(int32_t firstLevel = 1);
    void StartLevel();
    void PlayerDies();
    void LevelComplete();
    // A typed character (its bit 0x20 cleared, letters compare as capitals).
    void OnKeyPress(char character);
    // P in play: everything stops under "PAUSED" until P again. The player's
    // looking away (the window losing the keyboard, iconified) pauses the same
    // way; during the waits between levels it pauses the level that follows.
    void Pause();
    // The title's top strip: the next high-score line, or nothing, in turn.
    void ShowNextHighScore();
    // How many high-score lines the title shows in turn.
    void SetHighScoreCount(int32_t count) { highScoreCount = count; }

    GameState GetGameState() const { return state; }
    int32_t GetLevel() const { return level; }
    int32_t GetLives() const { return lives; }
    int32_t GetScore() const { return score; }
    void AddScore(int32_t points) { score += points; }
    void PlaySound(Sound sound);
    // True while the state is one of the timed waits.
    bool IsWaiting() const;

    // What the frame shows.
    Backdrop GetBackdrop() const { return screen; }
    int32_t BackdropLayout() const { return screenLayout; }
    // Grows with every picture shown, also when the same one is shown again.
    uint32_t BackdropSerial() const { return screenSerial; }
    bool ShowsLoading() const { return state == GameState::Loading; }
    bool ShowsStatusLine() const { return statusLine; }
    bool ShowsMakerLine() const { return screen == Backdrop::Title; }
    // 0 before the prompt's first blink.
    int32_t PromptColour() const { return promptShown ? promptColour : 0; }
    const TitleStrip& GetTitleStrip() const { return strip; }
    // The top strip of a level is cleared under the status line.
    bool ClearsTopStrip() const { return screen == Backdrop::Level; }
    Banner GetBanner() const { return banner; }

    Playfield& Field() { return playfield; }
    const Playfield& Field() const { return playfield; }

private:
    void ShowScreen(Backdrop shown, int32_t layout = 0);
    void BeginWait(GameState waiting, int32_t ms);
    void TickWait();
    void ShowTitle();
    void TitleAnimation();
    void AddCue(Cue::Kind kind, int32_t ms = 0);

    GameState state = GameState::Building;
    int32_t level = 1;
    int32_t lives = kStartingLives;
    int32_t score = 0;
    int64_t steps = 0;
    int32_t waitLeftMs = 0;         // of the current wait

    Backdrop screen = Backdrop::Blank;
    int32_t screenLayout = 0;       // for Backdrop::Level
    uint32_t screenSerial = 0;
    bool statusLine = false;
    Banner banner = Banner::Hidden;
    bool lookedAway = false;        // since the last P: the next level starts paused

    // The title screen.
    int32_t titleMs = 0;            // game time since the title appeared
    int32_t nextBlinkMs = kFirstBlinkMs;
    int32_t blinkCount = 0;         // 1..kBlinkCycle
    int32_t promptColour = 0;       // 0xRRGGBB, red before the first change
    bool promptShown = false;
    TitleStrip strip;
    int32_t highScoreCount = 0;
    int32_t highScoreShown = 0;     // the next line to show
    bool highScoreWrites = true;    // the strip shows a line on every second change

    std::vector<Cue> cues;          // since ClearCues; capacity kept
    Playfield playfield;
};
