// FormMain: the game itself, on the game form. It owns every sprite, every
// animation and the sprite pictures, and runs the game's state machine from
// the 10 ms frame tick and the key presses.
//
// How the pieces meet:
//   FormMain.cpp     construction, RunApp and the title screen, keys, the tick
//                    with its snapshot of animations, PlayerDies, LevelComplete;
//   LevelBuild.cpp   StartLevel and the tile, coin and fire passes, the coin check;
//   PlayerMotion.cpp the player, the input poll with walking and scrolling,
//                    jumps and falls, the support searches;
//   Enemies.cpp      bees, saucers and fires with their animations;
//   SpriteRules.cpp  the sprites' game behaviour: the jump step and landing,
//                    the player's and the bee's turns, the patrol step, the
//                    fire's deadly frames;
//   HighScores.cpp   the high-score lines of the title and the name entry.
// The layouts themselves are plain tables in LevelLayouts.h.
#pragma once

#include "game/Banner.h"
#include "game/FormGames.h"
#include "game/GameRules.h"
#include "game/SpawnGrace.h"
#include "game/SpriteDesc.h"
#include "support/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

class Application;
class FormNamePlayer;
class Joystick;
class Sprite;
class SpriteAnim;
class SpriteApe;
class SpriteFire;
class SpriteMonete;
class SpritePlayer;
class SpriteTilesPedana;
class SpriteTilesTerreno;
class SpriteTilesVegetazione;
class SoundPlayer;

// The maker line: in the window title after the game's name, and on the title screen.
extern const char* const kMakerLine;

enum class GameState : int32_t {
    Building = 0,       // construction, and StartLevel while it runs
    Title = 1,          // waiting for G
    Playing = 2,
    Paused = 3,         // the P key, or inside a death or level-end sequence
    Restarting = 4,     // waiting to start the (next) level
    NameEntry = 5,      // the name form after the last life
    ScoreRecorded = 6,  // any key returns to the title
};

class FormMain : public FormGames {
public:
    static constexpr int32_t kCoinValue = 50;               // points
    static constexpr int32_t kStripColour = 0x010101;       // the top strip's fill
    static constexpr int32_t kRestartDelayMs = 1500;        // state 4, before StartLevel
    static constexpr unsigned kLoadingWaitSeconds = 1;
    static constexpr unsigned kSequenceWaitSeconds = 3;     // after a death or a finished level
    static constexpr int32_t kPausedY = kHeight / 2;         // pixels: centre of the "PAUSED" banner
    static constexpr int32_t kPressAnyKeyY = 560;            // pixels: centre of "PRESS ANY KEY"

    FormMain(Application* app, const std::string& title);
    ~FormMain() override;

    // Game flow (FormMain.cpp).
    void RunApp() override;
    void StartLevel() override;
    int OnKeyPress(char character) override;
    void OnKeyUp(KeySym keysym) override;
    void OnTick() override;
    void PlayerDies();
    void LevelComplete();

    // Sprites and animations.
    Sprite* CreateSprite(SpriteDesc* desc, int variant);
    void DrawSprite(Sprite* sprite);
    void EraseSprite(Sprite* sprite);
    void AddFrameAnimation(SpriteAnim* animation) { frameAnimations.push_back(animation); }
    void AddMovement(SpriteAnim* animation) { movements.push_back(animation); }
    // Delete the first animation of the list whose sprite has the sprite's id.
    void RemoveFrameAnimation(Sprite* sprite);
    void RemoveMovement(Sprite* sprite);
    void DeleteAllAnimations();

    // Levels, tiles and coins (LevelBuild.cpp).
    void LoadBackground(int layout);
    void SetFirePositions(int layout);
    void CreateEnemies(int layout);
    int CoinCount() const;
    void CreationPass();
    void TilePass();
    void CoinPass();
    void FirePass();
    // The view redrawn for the current scroll: background, tiles, coins, fires.
    void RedrawView();
    void CoinCheck();

    // The player (PlayerMotion.cpp).
    void CreatePlayer();
    void StartJump(SpriteDesc* desc, Sprite* sprite);
    void StartFall();
    bool MovePlayerX(Sprite* sprite, int32_t dx, SpriteDesc* desc);
    bool MoveSpriteY(Sprite* sprite, int32_t dy, SpriteDesc* desc);
    // Packed position of the tile under the player's feet, or of (-1, -1).
    uint64_t SupportBelow();
    // Packed position of a platform touching the player's head, or of (-1, -1).
    uint64_t PlatformAbove();
    void PollInput();
    // The player stands on a tile (from its landing).
    void PlayerLanded() { spawnGrace.Landed(); }
    // A bee, saucer or burning fire touches the player: death, unless the
    // player's spawn grace still lasts.
    void EnemyTouchesPlayer();
    SpawnGrace& GetSpawnGrace() { return spawnGrace; }

    // Enemies and fires (Enemies.cpp).
    void AddBee(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd);
    void AddUfo(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd);
    SpriteFire* CreateFire();

    // High scores (HighScores.cpp).
    void LoadHighScores();
    void ShowNextHighScore();
    // The name form after the last life, centred over the game window.
    void OpenNameEntry();
    // The name form's CloseHandler: the score enters the table.
    void AddHighScore();

    // The state the sprites and animations read and change.
    GameState GetGameState() const { return gameState; }
    SpritePlayer* GetPlayer() const { return player; }
    SpriteDesc* Descriptor(SpriteKinds::Kind kind) { return &descriptors[kind]; }
    XImage* Strip(SpriteKinds::Kind kind) const { return pictures[kind]; }
    int32_t GetScroll() const { return scroll; }
    int32_t GetScrollLimit() const { return scrollLimit; }
    bool IsJumping() const { return jump.active; }
    int32_t GetJumpStep() const { return jump.step; }
    int32_t GetJumpProgress() const { return jump.progress; }
    int32_t GetJumpHeight() const { return jump.height; }
    // The jump's state, stepped by SpriteJumping::Step and the landing.
    Rules::Jump& Jump() { return jump; }
    void SetJumping(bool flag) { jump.active = flag; }
    void SetJumpProgress(int32_t progress) { jump.progress = progress; }

    // What tests and the high-score code look at.
    const std::vector<SpriteAnim*>& FrameAnimations() const { return frameAnimations; }
    const std::vector<SpriteAnim*>& Movements() const { return movements; }
    const std::vector<SpriteApe*>& Bees() const { return bees; }
    const std::vector<SpriteApe*>& Ufos() const { return ufos; }
    const std::vector<SpriteFire*>& Fires() const { return fires; }
    const std::vector<int32_t>& FirePositions() const { return firePositions; }
    const std::vector<SpriteMonete*>& Coins() const { return coins; }
    const std::vector<SpriteMonete*>& VisibleCoins() const { return visibleCoins; }
    const std::vector<SpriteTilesTerreno*>& GroundTiles() const { return groundTiles; }
    const std::vector<SpriteTilesVegetazione*>& VegetationTiles() const { return vegetationTiles; }
    const std::vector<SpriteTilesPedana*>& PlatformTiles() const { return platformTiles; }
    int32_t CoinsTotal() const { return coinsTotal; }
    int32_t CoinsTaken() const { return coinsTaken; }
    const std::vector<std::string>& HighScoreLines() const { return highScoreLines; }
    const Banner& GetBanner() const { return banner; }
    FormNamePlayer* GetNameForm() const { return nameForm; }
    int32_t GetFontHeight() const { return fontHeight; }
    SoundPlayer* GetSound() const { return sound; }
    void SetJoystickEnabled(bool flag) { joystickEnabled = flag; }

private:
    // Descriptors to the values of a game (the area from the form's size).
    void SetGameDescriptors();
    // The top strip that a level start and the title's Top Ten line clear.
    int32_t StripHeight() const { return fontHeight + 14; }
    void FreeSpritePictures();
    // Every sprite and animation of the last game.
    void DeleteSprites();
    void RestartTitle();
    // The window's icon for the window manager, from "Data/icon.bin", once.
    void LoadIcon();
    void TitleAnimation();
    void RestartTick();
    void StepAnimations();
    // Shows or hides the player as its spawn grace blinks.
    void BlinkPlayer();
    template <typename T>
    void TilePool(std::vector<T*>& pool, size_t& used, int variant, int32_t x, int32_t y, int32_t frame,
                  bool drawInside);
    template <typename T>
    static void HidePoolRest(std::vector<T*>& pool, size_t used);
    void DeleteTiles();
    void DeleteEnemies();
    void DeleteFires();
    void DeleteCoins();
    static void NameFormClosed(GUIElement* element);
    bool StillPlaying() const { return gameState == GameState::Playing; }

    GameState gameState = GameState::Building;

    Rules::Jump jump;

    // Walking and the view (world x of the view's left edge is scroll).
    int32_t scroll = 0;
    int32_t scrollOffset = 0;    // pixels walked right past scrollLimit
    int32_t scrollLimit = 0;     // 1 from every StartLevel on: the view stays put
    bool joystickEnabled = true;
    int32_t leftStep;            // pixels per walking step
    int32_t rightStep;
    SpritePlayer* player = nullptr;
    bool pollActs = false;       // the input poll acts on every second call
    SpawnGrace spawnGrace;
    Banner banner;               // "PAUSED", "PRESS ANY KEY"
    Joystick* joystick = nullptr;

    // Tiles and coins.
    std::vector<SpriteTilesTerreno*> groundTiles;
    std::vector<SpriteTilesVegetazione*> vegetationTiles;
    std::vector<SpriteTilesPedana*> platformTiles;
    std::vector<SpriteMonete*> coins;
    std::vector<SpriteMonete*> visibleCoins;  // not owned; null once collected
    int32_t coinsTotal = 0;
    int32_t coinsTaken = 0;
    std::vector<int32_t> takenCoins;

    // Enemies and fires.
    std::vector<SpriteApe*> bees;
    std::vector<SpriteApe*> ufos;
    std::vector<SpriteFire*> fires;
    std::vector<int32_t> firePositions;  // world x of each fire

    // Animations, stepped by the tick.
    std::vector<SpriteAnim*> frameAnimations;
    std::vector<SpriteAnim*> movements;
    std::vector<SpriteAnim*> snapshot;   // reused by every tick

    SpriteDesc descriptors[SpriteKinds::kCount];
    XImage* pictures[SpriteKinds::kCount] = {};
    int32_t fontHeight = 0;              // the font's ascent + 1
    SoundPlayer* sound = nullptr;

    // The title screen.
    DateTime titleStamp;
    bool titleStampSet = false;
    int32_t blinkCount = 0;              // 1..5
    int32_t promptColour = 0xFF0000;
    DateTime restartDeadline;
    bool restartDeadlineSet = false;
    bool inTick = false;

    // High scores.
    std::vector<std::string> highScoreLines;
    int32_t highScoreShown = 0;          // the next line to show
    bool highScoreWrites = true;         // ShowNextHighScore writes on every second call
    FormNamePlayer* nameForm = nullptr;
};
