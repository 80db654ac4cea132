#include "game/world/World.h"

#include "game/world/Colours.h"
#include "game/world/LevelLayouts.h"

namespace {
constexpr size_t kCueCapacity = 32;  // more than any step makes: stepping allocates nothing for its cues
}

World::World() : playfield(*this) { cues.reserve(kCueCapacity); }

void World::RunApp()
{
    banner = Banner::Hidden;
    state = GameState::Loading;
    BeginWait(GameState::Loading, kLoadingMs);
}

void World::Step(const StepInput& input)
{
    for (int i = 0; i < input.eventCount && i < StepInput::kMaxEvents; ++i) {
        const StepInput::Entry& entry = input.events[i];
        switch (entry.event) {
        case StepInput::Event::Typed:
            OnKeyPress(entry.character);
            break;
        case StepInput::Event::KeyReleased:
            // Keys that type nothing (arrows, Shift) end the recorded score's
            // wait when they are let go, as the typing keys do when pressed.
            if (state == GameState::ScoreRecorded)
                RunApp();
            break;
        case StepInput::Event::NameEntered:
            if (state == GameState::NameEntry) {
                state = GameState::ScoreRecorded;
                banner = Banner::PressAnyKey;
            }
            break;
        case StepInput::Event::LookedAway:
            if (state == GameState::Playing)
                Pause();
            else if (IsWaiting() && state != GameState::Loading)
                lookedAway = true;
            break;
        }
    }

    switch (state) {
    case GameState::Title:
        TitleAnimation();
        break;
    case GameState::Playing: {
        Directions held;
        held.left = input.Holds(StepInput::kLeft);
        held.right = input.Holds(StepInput::kRight);
        held.up = input.Holds(StepInput::kUp);
        held.down = input.Holds(StepInput::kDown);
        playfield.Tick(held);
        break;
    }
    case GameState::Loading:
    case GameState::LifeLost:
    case GameState::LevelDone:
    case GameState::Restarting:
        TickWait();
        break;
    case GameState::Building:
    case GameState::Paused:
    case GameState::NameEntry:
    case GameState::ScoreRecorded:
        break;
    }
    ++steps;
}

void World::OnKeyPress(char character)
{
    const char key = static_cast<char>(character & ~0x20);  // letters in capitals
    switch (state) {
    case GameState::Title:
        if (key == 'G')
            StartGame();
        break;
    case GameState::Playing:
        if (key == 'P') {
            Pause();
        } else if (key == 'N') {
            LevelComplete();
        }
        break;
    case GameState::Paused:
        if (key == 'P') {
            banner = Banner::Hidden;
            lookedAway = false;
            state = GameState::Playing;
        }
        break;
    case GameState::ScoreRecorded:
        RunApp();
        break;
    default:
        break;
    }
}

void World::Pause()
{
    if (state != GameState::Playing)
        return;
    state = GameState::Paused;
    playfield.ShowPlayer();
    banner = Banner::Paused;
}

void World::StartGame(int32_t firstLevel)
{
    lookedAway = false;
    playfield.SetGameDescriptors();
    level = firstLevel;
    lives = kStartingLives;
    score = 0;
    StartLevel();
}

void World::StartLevel()
{
    state = GameState::Building;
    ShowScreen(Backdrop::Level, Layouts::LayoutOf(level));
    playfield.StartLevel(level);
    statusLine = true;
    state = GameState::Playing;
    // Whoever looked away while the level was coming finds it waiting for P.
    if (lookedAway)
        Pause();
}

void World::PlayerDies()
{
    state = GameState::LifeLost;
    playfield.DeleteAllAnimations();
    lives -= 1;
    PlaySound(Sound::Cry);
    if (lives < 1) {
        ShowScreen(Backdrop::GameOver);
        AddCue(Cue::Kind::OpenNameEntry);
        state = GameState::NameEntry;
        return;
    }
    ShowScreen(Backdrop::LifeLost);
    BeginWait(GameState::LifeLost, kSequenceMs);
}

void World::LevelComplete()
{
    state = GameState::LevelDone;
    playfield.DeleteAllAnimations();
    level += 1;
    ShowScreen(Backdrop::LevelDone);
    BeginWait(GameState::LevelDone, kSequenceMs);
}

void World::PlaySound(Sound sound)
{
    Cue cue{Cue::Kind::PlaySound, sound, 0};
    cues.push_back(cue);
}

bool World::IsWaiting() const
{
    return state == GameState::Loading || state == GameState::LifeLost || state == GameState::LevelDone ||
           state == GameState::Restarting;
}

void World::ShowScreen(Backdrop shown, int32_t layout)
{
    screen = shown;
    screenLayout = layout;
    ++screenSerial;
    // A new picture covers the status line until a level shows it again.
    statusLine = false;
}

void World::BeginWait(GameState waiting, int32_t ms)
{
    state = waiting;
    waitLeftMs = ms;
    AddCue(Cue::Kind::WaitBegan, ms);
}

// Ends a wait once its time has passed: the picture of a lost life or a
// finished level is followed by the restart wait, which starts the level.
void World::TickWait()
{
    waitLeftMs -= Rules::kTickMs;
    if (waitLeftMs > 0)
        return;
    switch (state) {
    case GameState::Loading:
        ShowTitle();
        break;
    case GameState::LifeLost:
    case GameState::LevelDone:
        BeginWait(GameState::Restarting, kRestartMs);
        break;
    case GameState::Restarting:
        StartLevel();
        break;
    default:
        break;
    }
}

void World::ShowTitle()
{
    // The last game's sprites go with the game.
    playfield.Clear();
    ShowScreen(Backdrop::Title);
    titleMs = 0;
    nextBlinkMs = kFirstBlinkMs;
    blinkCount = 0;
    promptColour = Colours::kRed;
    promptShown = false;
    strip = TitleStrip{};
    highScoreShown = 0;
    highScoreWrites = true;
    state = GameState::Title;
    AddCue(Cue::Kind::TitleShown);
}

// The prompt changes colour once a second; every fifth change the top strip
// shows the next high-score line or nothing.
void World::TitleAnimation()
{
    titleMs += Rules::kTickMs;
    if (titleMs < nextBlinkMs)
        return;
    nextBlinkMs += kBlinkMs;
    blinkCount = blinkCount % kBlinkCycle + 1;
    promptColour = promptColour == Colours::kRed ? Colours::kWhite : Colours::kRed;
    promptShown = true;
    if (blinkCount == 1)
        ShowNextHighScore();
}

void World::ShowNextHighScore()
{
    if (highScoreCount <= 0)
        return;
    strip.shows = TitleStrip::Shows::Cleared;
    const bool write = highScoreWrites;
    highScoreWrites = !highScoreWrites;
    if (!write)
        return;
    if (highScoreShown < 0 || highScoreShown >= highScoreCount)
        highScoreShown = 0;
    strip.shows = TitleStrip::Shows::Line;
    strip.line = highScoreShown;
    highScoreShown = (highScoreShown + 1) % highScoreCount;
}

void World::AddCue(Cue::Kind kind, int32_t ms)
{
    Cue cue{kind, Sound::Coin, ms};
    cues.push_back(cue);
}
