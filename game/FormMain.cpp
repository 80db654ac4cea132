// FormMain's construction, the title screen, the keys, the tick and the two
// sequences that end a level (a lost life, a finished level).
#include "game/FormMain.h"

#include "app/Application.h"
#include "forms/FormNamePlayer.h"
#include "game/GameClock.h"
#include "game/LevelLayouts.h"
#include "game/SpriteActors.h"
#include "game/SpriteAnim.h"
#include "game/SpriteFactory.h"
#include "game/SpriteScenery.h"
#include "gui/DrawContext.h"
#include "gui/images/Picture.h"
#include "services/Joystick.h"
#include "services/SoundPlayer.h"

#include <algorithm>
#include <unistd.h>

const char* const kMakerLine = "by Krodel Games, 2026";

namespace {
void SleepSeconds(unsigned seconds) { sleep(seconds); }

constexpr const char* kPrompt = "PRESS THE [G] KEY TO PLAY";
constexpr int32_t kPromptX = 480, kPromptY = 600;        // pixels, on the title screen
constexpr int32_t kMakerLineX = 210, kMakerLineY = 135;  // pixels
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kRed = 0xFF0000;
constexpr int64_t kBlinkAfterMs = 500;     // the prompt changes at the first tick of a new second
constexpr int32_t kBlinkCycle = 5;         // the high-score strip changes every fifth blink

template <typename T>
void DeleteAll(std::vector<T*>& list)
{
    for (T* item : list)
        delete item;
    list.clear();
}
}  // namespace

GameWaitFn GameWait = SleepSeconds;
GameClockFn GameClock = Now;

FormMain::FormMain(Application* app, const std::string& title)
    : FormGames(app, title), leftStep(Layouts::kLeftStep), rightStep(Layouts::kRightStep)
{
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
        descriptors[kind] = SpriteKinds::DefaultDesc(SpriteKinds::kGameDescs[kind].kindName);
    sound = new SoundPlayer();
}

FormMain::~FormMain()
{
    sound->StopSound();
    delete sound;
    DeleteSprites();
    FreeSpritePictures();
    if (iconPixmap != 0 && application != nullptr && application->GetDisplay() != nullptr)
        XFreePixmap(application->GetDisplay(), iconPixmap);
    delete nameForm;
    delete joystick;
}

void FormMain::SetGameDescriptors()
{
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind) {
        descriptors[kind] = SpriteKinds::kGameDescs[kind];
        descriptors[kind].areaWidth = QueryWidth();
        descriptors[kind].areaHeight = QueryHeight();
    }
}

void FormMain::DeleteSprites()
{
    delete player;
    player = nullptr;
    DeleteAllAnimations();
    DeleteFires();
    DeleteTiles();
    DeleteCoins();
    DeleteEnemies();
}

void FormMain::RestartTitle()
{
    titleStampSet = false;
    blinkCount = 0;
    promptColour = kRed;
    highScoreShown = 0;
    highScoreWrites = true;
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

void FormMain::FreeSpritePictures()
{
    for (XImage*& picture : pictures) {
        DestroyImage(picture);
        picture = nullptr;
    }
}

void FormMain::RunApp()
{
    banner.Drop();
    LoadIcon();
    RenderText(kLoadingTextX, kLoadingTextY, kLoadingText, kWhite);
    GameWait(kLoadingWaitSeconds);

    // From state 6 the pictures are loaded again: the previous ones go first,
    // and with them the last game's sprites, which were cut from them.
    DeleteSprites();
    FreeSpritePictures();
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind) {
        const DataFiles::Picture& strip = *SpriteKinds::kStrips[kind];
        int32_t bytes = 0;
        LoadSpritePicture(DataFiles::PathOf(strip), strip.width, strip.height, &pictures[kind], &bytes);
    }

    RenderSfondo(DataFiles::PathOf(DataFiles::kTitle));
    RenderText(kMakerLineX, kMakerLineY, kMakerLine, kRed);
    fontHeight = FontAscent() + 1;
    LoadHighScores();
    // Every visit of the title starts its blinking and the high-score lines afresh.
    RestartTitle();
    gameState = GameState::Title;
    SetFocus();
}

int FormMain::OnKeyPress(char character)
{
    const char key = static_cast<char>(character & ~0x20);  // letters in capitals
    switch (gameState) {
    case GameState::Title:
        if (key == 'G') {
            SetGameDescriptors();
            level = 1;
            lives = kStartingLives;
            score = 0;
            StartLevel();
        }
        break;
    case GameState::Playing:
        if (key == 'P') {
            gameState = GameState::Paused;
            // A player blinking through its spawn grace is not left hidden for the pause.
            if (player != nullptr && !player->IsPlaced())
                DrawSprite(player);
            banner.Show(*this, "PAUSED", kPausedY);
        }
        else if (key == 'N')
            LevelComplete();
        break;
    case GameState::Paused:
        if (key == 'P') {
            banner.Hide(*this);
            gameState = GameState::Playing;
        }
        break;
    case GameState::ScoreRecorded:
        RunApp();
        break;
    default:
        break;
    }
    return 1;
}

void FormMain::OnKeyUp(KeySym keysym)
{
    FormGames::OnKeyUp(keysym);
    // Keys that type nothing (arrows, Shift) end state 6 when they are let go,
    // as the typing keys do through OnKeyPress. The loop drops releases whose
    // press the game did not get, such as a key held in the name form as it closed.
    if (gameState == GameState::ScoreRecorded)
        RunApp();
}

void FormMain::OnTick()
{
    if (inTick)
        return;
    inTick = true;
    switch (gameState) {
    case GameState::Title:
        TitleAnimation();
        break;
    case GameState::Playing:
        StepAnimations();
        if (StillPlaying())
            PollInput();
        if (StillPlaying()) {
            spawnGrace.Advance(Rules::kTickMs);
            BlinkPlayer();
        }
        break;
    case GameState::Restarting:
        RestartTick();
        break;
    default:
        break;
    }
    inTick = false;
    FormGames::OnTick();
}

// Steps run on clones, so a step may delete listed animations (a jump that
// ends, a death) while the list is being walked. Frame steps come first, then
// the movements in the order they were added. Only animations whose period
// elapses in this tick are cloned: a clone that would not step would only be
// deleted again, so this spares the allocations of every quiet tick.
void FormMain::StepAnimations()
{
    snapshot.clear();
    for (std::vector<SpriteAnim*>* list : {&frameAnimations, &movements}) {
        for (SpriteAnim* animation : *list) {
            if (Rules::AdvanceClock(animation->counter, animation->period))
                snapshot.push_back(animation->Clone());
        }
    }
    for (SpriteAnim*& clone : snapshot) {
        if (StillPlaying())
            clone->Step();
        delete clone;
        clone = nullptr;
    }
    snapshot.clear();
}

void FormMain::TitleAnimation()
{
    const DateTime now = GameClock();
    if (!titleStampSet) {
        titleStamp = now;
        titleStampSet = true;
    }
    if (MillisecondsBetween(titleStamp, now) <= kBlinkAfterMs)
        return;
    blinkCount = blinkCount % kBlinkCycle + 1;
    promptColour = promptColour == kRed ? kWhite : kRed;
    titleStamp = now;
    if (blinkCount == 1)
        ShowNextHighScore();
    RenderText(kPromptX, kPromptY, kPrompt, promptColour);
}

void FormMain::RestartTick()
{
    if (!restartDeadlineSet) {
        restartDeadline = GameClock().AddMilliseconds(kRestartDelayMs);
        restartDeadlineSet = true;
    } else if (GameClock() > restartDeadline) {
        restartDeadlineSet = false;
        StartLevel();
    }
}

void FormMain::PlayerDies()
{
    gameState = GameState::Paused;
    DeleteAllAnimations();
    lives -= 1;
    sound->PlaySound(DataFiles::PathOf(DataFiles::kCrySound), false);
    if (lives < 1) {
        RenderSfondo(DataFiles::PathOf(DataFiles::kGameOver));
        OpenNameEntry();
        gameState = GameState::NameEntry;
        return;
    }
    RenderSfondo(DataFiles::PathOf(DataFiles::kLifeLost));
    GameWait(kSequenceWaitSeconds);
    gameState = GameState::Restarting;
}

void FormMain::LevelComplete()
{
    gameState = GameState::Paused;
    DeleteAllAnimations();
    level += 1;
    RenderSfondo(DataFiles::PathOf(DataFiles::kLevelDone));
    GameWait(kSequenceWaitSeconds);
    gameState = GameState::Restarting;
}

Sprite* FormMain::CreateSprite(SpriteDesc* desc, int variant)
{
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind) {
        if (desc->IsKind(SpriteKinds::kGameDescs[kind].kindName))
            return ::CreateSprite(this, *desc, variant, pictures[kind]);
    }
    return nullptr;
}

void FormMain::DrawSprite(Sprite* sprite) { sprite->Draw(); }

void FormMain::EraseSprite(Sprite* sprite) { sprite->Erase(); }

namespace {
void RemoveFirstOf(std::vector<SpriteAnim*>& list, Sprite* sprite)
{
    const auto found = std::find_if(list.begin(), list.end(), [sprite](SpriteAnim* animation) {
        return animation->sprite != nullptr && animation->sprite->GetId() == sprite->GetId();
    });
    if (found == list.end())
        return;
    delete *found;
    list.erase(found);
}
}  // namespace

void FormMain::RemoveFrameAnimation(Sprite* sprite) { RemoveFirstOf(frameAnimations, sprite); }

void FormMain::RemoveMovement(Sprite* sprite) { RemoveFirstOf(movements, sprite); }

void FormMain::DeleteAllAnimations()
{
    DeleteAll(frameAnimations);
    DeleteAll(movements);
}

void FormMain::DeleteTiles()
{
    DeleteAll(groundTiles);
    DeleteAll(vegetationTiles);
    DeleteAll(platformTiles);
}

void FormMain::DeleteEnemies()
{
    DeleteAll(bees);
    DeleteAll(ufos);
}

void FormMain::DeleteFires() { DeleteAll(fires); }

void FormMain::DeleteCoins()
{
    visibleCoins.clear();
    DeleteAll(coins);
}
