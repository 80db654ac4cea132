// FormMain: the game on its form. It owns the World (game/world/World.h),
// which holds the whole game, and does for it what needs X, files and sound:
// it hands the world each 10 ms step's input (the keys held and typed, the
// joystick, the name entry's end), acts on the world's cues (sounds, the
// name entry, the high-score table), and lists what the frame shows
// (FramePicture.h) for FormGames to compose and present.
//
// It plays live, records every step's input to a file, or replays a recorded
// file (then keys do nothing and the program ends with the file).
//
//   FormMain.cpp     construction, the tick, keys, cues, recording and replay
//   HighScores.cpp   the high-score lines of the title and the name entry
#pragma once

#include "game/FormGames.h"
#include "game/GameSettings.h"
#include "game/world/InputQueue.h"
#include "game/world/InputTape.h"
#include "game/world/World.h"

#include <cstdint>
#include <string>
#include <vector>

class Application;
class FormNamePlayer;
class Joystick;
class SoundPlayer;

// The maker line: in the window title after the game's name, and on the title screen.
extern const char* const kMakerLine;
// The game's name: the window title and the folder of the high-score table.
extern const char* const kGameTitle;

// How the game takes its input.
struct GameInput {
    enum class Mode { Live, Record, Replay };
    Mode mode = Mode::Live;
    std::string file;  // Record: where the input goes; Replay: where it comes from
    InputTape tape;    // Replay: the recording, already read
};

class FormMain : public FormGames {
public:
    FormMain(Application* app, const std::string& title, GameInput input = GameInput());
    ~FormMain() override;

    void RunApp() override;
    int OnKeyPress(char character) override;
    void OnKeyUp(KeySym keysym) override;
    bool OnClose() override;
    // Looking away (the keyboard gone elsewhere, the window iconified) pauses a game in play.
    void OnFocusLost() override;
    void OnUnmapped() override;

    // High scores (HighScores.cpp).
    void LoadHighScores();
    // The name form after the last life, centred over the game window.
    void OpenNameEntry();
    // The name form's CloseHandler: the score enters the table.
    void AddHighScore();

    World& GetWorld() { return world; }
    const World& GetWorld() const { return world; }
    const std::vector<std::string>& HighScoreLines() const { return highScoreLines; }
    FormNamePlayer* GetNameForm() const { return nameForm; }
    SoundPlayer* GetSound() const { return sound; }
    // The title's line about the keys and the toggle it names.
    static constexpr char kKeysToggle = 'K';
    const char* KeysLine() const;

protected:
    // One step of the world with this tick's input, its cues acted on and
    // the frame composed.
    void StepFrame() override;

private:
    // The directions held now: the key table, and the joystick while playing.
    uint8_t HeldDirections();
    void ActOnCues();
    // The backdrop of the world's picture, loaded when it changed.
    void ShowScreen();
    // Lists the frame's items for the world and composes them.
    void ComposeFrame();
    // The end of a recording or a replay: the file written, the summary logged. Once.
    void FinishTape();
    // The window's icon for the window manager, from "Data/icon.bin", once.
    void LoadIcon();
    // Free keys or one at a time, in the key table and in the settings file.
    void SetFreeKeys(bool free, bool save);
    static void NameFormClosed(GUIElement* element);

    World world;
    GameInput input;
    InputQueue events;            // keys and the name entry, for the next step
    bool tapeFinished = false;
    uint32_t shownScreen = 0;     // the world's picture serial the backdrop was loaded for
    SoundPlayer* sound = nullptr;
    Joystick* joystick = nullptr;
    std::vector<std::string> highScoreLines;
    FormNamePlayer* nameForm = nullptr;
    GameSettings settings;
};
