#include "game/FormMain.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "support/Log.h"
#include "forms/FormNamePlayer.h"
#include "game/FramePicture.h"
#include "game/world/LevelLayouts.h"
#include "gui/DrawContext.h"
#include "gui/images/Picture.h"
#include "services/ChildProcess.h"
#include "services/Joystick.h"
#include "services/SoundPlayer.h"

const char* const kMakerLine = "by Krodel Games, 2026";
const char* const kGameTitle = "Bruvo Stage Krodel";

namespace {
// The file of each full-screen picture of the world.
const DataFiles::Picture& ScreenFile(Backdrop screen, int32_t layout)
{
    switch (screen) {
    case Backdrop::Title: return DataFiles::kTitle;
    case Backdrop::LifeLost: return DataFiles::kLifeLost;
    case Backdrop::LevelDone: return DataFiles::kLevelDone;
    case Backdrop::GameOver: return DataFiles::kGameOver;
    case Backdrop::Level: return Layouts::BackgroundOf(layout);
    case Backdrop::Blank: break;
    }
    return DataFiles::kBlank;
}

const char* SoundFile(Sound sound)
{
    switch (sound) {
    case Sound::Coin: return DataFiles::kCoinSound;
    case Sound::Cry: return DataFiles::kCrySound;
    }
    return DataFiles::kCoinSound;
}
}  // namespace

FormMain::FormMain(Application* app, const std::string& title, GameInput gameInput)
    : FormGames(app, title), input(std::move(gameInput))
{
    sound = new SoundPlayer();
    SetFreeKeys(GameSettings::Load(GameSettings::kFile).freeKeys, false);
}

void FormMain::SetFreeKeys(bool free, bool save)
{
    settings.freeKeys = free;
    keyTable.SetSingleKey(!free);
    keyTable.ReleaseAll();
    if (save)
        settings.Save(GameSettings::kFile);
}

const char* FormMain::KeysLine() const
{
    static_assert(kKeysToggle == 'K', "the title's line names the key that switches the keys");
    return settings.freeKeys ? "[K] KEYS: FREE" : "[K] KEYS: ONE AT A TIME";
}

FormMain::~FormMain()
{
    FinishTape();
    sound->StopSound();
    delete sound;
    if (iconPixmap != 0 && application != nullptr && application->GetDisplay() != nullptr)
        XFreePixmap(application->GetDisplay(), iconPixmap);
    delete nameForm;
    delete joystick;
}

void FormMain::LoadIcon()
{
    if (iconPixmap != 0 || application == nullptr || application->GetDisplay() == nullptr)
        return;
    XImage* picture = nullptr;
    int32_t bytes = 0;
    const DataFiles::Picture& icon = DataFiles::kIcon;
    LoadSpritePicture(DataFiles::PathOf(icon), icon.width, icon.height, &picture, &bytes);
    if (picture == nullptr)
        return;
    Display* display = application->GetDisplay();
    const Pixmap pixmap = XCreatePixmap(display, window, static_cast<unsigned>(icon.width),
                                        static_cast<unsigned>(icon.height), static_cast<unsigned>(picture->depth));
    if (pixmap != 0) {
        DrawContext(this, pixmap).PutImage(0, 0, 0, 0, picture);
        SetIcon(pixmap);
    }
    DestroyImage(picture);
}

void FormMain::RunApp()
{
    LoadIcon();
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
        LoadPicture(kind, *SpriteKinds::kStrips[kind]);
    world.RunApp();
    ActOnCues();
    ComposeFrame();
}

int FormMain::OnKeyPress(char character)
{
    if (input.mode == GameInput::Mode::Replay)
        return 1;
    // The keys' mode is the player's choice, not the game's: it is kept in
    // the settings and never in a recording.
    if (world.GetGameState() == GameState::Title && (character & ~0x20) == kKeysToggle)
        SetFreeKeys(!settings.freeKeys, true);
    events.Push(StepInput::Event::Typed, character);
    return 1;
}

void FormMain::OnFocusLost()
{
    FormGames::OnFocusLost();
    if (input.mode == GameInput::Mode::Replay || application == nullptr || application->GetDisplay() == nullptr)
        return;
    // The server sends the focus's going and coming back in pairs (a focus
    // set again on the same window, say): only a focus that is elsewhere now
    // means the player looked away.
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(application->GetDisplay(), &focus, &revert);
    if (focus != window)
        events.Push(StepInput::Event::LookedAway);
}

void FormMain::OnUnmapped()
{
    if (input.mode != GameInput::Mode::Replay)
        events.Push(StepInput::Event::LookedAway);
}

void FormMain::OnKeyUp(KeySym keysym)
{
    FormGames::OnKeyUp(keysym);
    // The loop drops releases whose press the game did not get, such as a key
    // held in the name form as it closed.
    if (input.mode != GameInput::Mode::Replay)
        events.Push(StepInput::Event::KeyReleased);
}

uint8_t FormMain::HeldDirections()
{
    const bool stick = world.GetGameState() == GameState::Playing;
    // One joystick for the whole game: it reopens a lost device by itself.
    if (stick && joystick == nullptr)
        joystick = new Joystick();
    uint8_t held = 0;
    if (IsKeyDown(KeyTable::kLeft) || (stick && joystick->JoystickLeft()))
        held |= StepInput::kLeft;
    if (IsKeyDown(KeyTable::kRight) || (stick && joystick->JoystickRight()))
        held |= StepInput::kRight;
    if (IsKeyDown(KeyTable::kUp) || (stick && joystick->JoystickUp()))
        held |= StepInput::kUp;
    if (IsKeyDown(KeyTable::kDown) || (stick && joystick->JoystickDown()))
        held |= StepInput::kDown;
    return held;
}

void FormMain::StepFrame()
{
    if (world.GetGameState() != GameState::Building || world.Steps() > 0) {
        StepInput step;
        if (input.mode == GameInput::Mode::Replay) {
            if (!input.tape.Next(step)) {
                FinishTape();
                FormGames::OnClose();
                return;
            }
        } else {
            step = events.Take(HeldDirections());
            if (input.mode == GameInput::Mode::Record)
                input.tape.Record(step);
        }
        world.Step(step);
        ActOnCues();
        ComposeFrame();
    }
    // A sound's child that has ended is collected now, not at the next sound.
    ReapChildren();
}

void FormMain::ActOnCues()
{
    for (const Cue& cue : world.Cues()) {
        switch (cue.kind) {
        case Cue::Kind::PlaySound:
            sound->PlaySound(DataFiles::PathOf(SoundFile(cue.sound)), false);
            break;
        case Cue::Kind::OpenNameEntry:
            // A replay has the name entry's end in its file and records nothing.
            if (input.mode != GameInput::Mode::Replay)
                OpenNameEntry();
            break;
        case Cue::Kind::TitleShown:
            LoadHighScores();
            SetFocus();
            break;
        case Cue::Kind::WaitBegan:
            break;
        }
    }
    world.ClearCues();
}

void FormMain::ShowScreen()
{
    if (world.BackdropSerial() == shownScreen)
        return;
    shownScreen = world.BackdropSerial();
    RenderSfondo(DataFiles::PathOf(ScreenFile(world.GetBackdrop(), world.BackdropLayout())));
}

void FormMain::ComposeFrame()
{
    ShowScreen();
    FrameTexts texts;
    texts.makerLine = kMakerLine;
    texts.highScoreLines = &highScoreLines;
    texts.keysLine = KeysLine();
    ListFrameItems(world, texts, Composer());
    Composer().Compose();
}

bool FormMain::OnClose()
{
    // Closing the game while the name is asked for records the result as
    // closing the name form does: with the name as it is, empty.
    if (nameForm != nullptr && nameForm->IsCreated() && world.GetGameState() == GameState::NameEntry &&
        nameForm->QueryClose()) {
        nameForm->DestroyWindow();
        nameForm->Close();
    }
    FinishTape();
    return FormGames::OnClose();
}

void FormMain::FinishTape()
{
    if (tapeFinished || input.mode == GameInput::Mode::Live)
        return;
    tapeFinished = true;
    if (input.mode == GameInput::Mode::Record) {
        std::string error;
        if (!input.tape.Save(input.file, &error))
            WriteLog(error);
    }
    WriteLog(GameSummary(world));
}
