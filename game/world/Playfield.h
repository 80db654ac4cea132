// Playfield: one level in play. It owns every sprite and animation of the
// level and holds the view, the jump, the tile pools, the coins, the enemies
// and fires and the spawn grace; it builds a level from its layout and steps
// it by one 10 ms tick. What ends a life or a level, the score and the sounds
// belong to the World that owns it (World.h).
//
//   Playfield.cpp         construction, the animation lists and the tick
//   PlayfieldLevel.cpp    StartLevel, the creation, tile, coin and fire passes,
//                         the coin check
//   PlayfieldPlayer.cpp   the player, the input poll, walking, jumps and
//                         falls, the support searches, contact with harm
//   PlayfieldEnemies.cpp  bees, saucers and fires
// The sprites' own behaviour is with their classes (SpriteActors.cpp,
// SpriteMovement.cpp); the rules they apply are in GameRules.h, the layouts
// in LevelLayouts.h.
#pragma once

#include "game/world/GameRules.h"
#include "game/world/SpawnGrace.h"
#include "game/world/SpriteActors.h"
#include "game/world/SpriteDesc.h"
#include "game/world/SpriteScenery.h"

#include <cstdint>
#include <vector>

class SpriteAnim;
class World;

// The directions held during a tick, from the keys and the joystick.
struct Directions {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
};

class Playfield {
public:
    explicit Playfield(World& world);
    ~Playfield();
    Playfield(const Playfield&) = delete;
    Playfield& operator=(const Playfield&) = delete;

    // One tick of play: the animations whose period has come, then the input
    // poll, then the spawn grace.
    void Tick(const Directions& held);
    // Descriptors to the values of a game; from the start of a game on.
    void SetGameDescriptors();
    // Every sprite and animation goes.
    void Clear();

    // --- Sprites and animations (Playfield.cpp)
    Sprite* CreateSprite(SpriteDesc* desc, int variant);
    void DrawSprite(Sprite* sprite);
    void EraseSprite(Sprite* sprite);
    void AddFrameAnimation(SpriteAnim* animation) { frameAnimations.push_back(animation); }
    void AddMovement(SpriteAnim* animation) { movements.push_back(animation); }
    // Delete the first animation of the list whose sprite has the sprite's id.
    void RemoveFrameAnimation(Sprite* sprite);
    void RemoveMovement(Sprite* sprite);
    void DeleteAllAnimations();

    // --- The level (PlayfieldLevel.cpp)
    void StartLevel(int32_t level);
    void SetFirePositions(int layout);
    void CreateEnemies(int layout);
    int CoinCount() const;
    void CreationPass();
    void TilePass();
    void CoinPass();
    void FirePass();
    // The view placed afresh for the current scroll: tiles, coins, fires.
    void RedrawView();
    void CoinCheck();

    // --- The player (PlayfieldPlayer.cpp)
    void CreatePlayer();
    void StartJump(SpriteDesc* desc, Sprite* sprite);
    void StartFall();
    bool MovePlayerX(Sprite* sprite, int32_t dx, SpriteDesc* desc);
    bool MoveSpriteY(Sprite* sprite, int32_t dy, SpriteDesc* desc);
    // Packed position of the tile under the player's feet, or of (-1, -1).
    uint64_t SupportBelow();
    // Packed position of a platform touching the player's head, or of (-1, -1).
    uint64_t PlatformAbove();
    void PollInput(const Directions& held);
    // The player stands on a tile (from its landing).
    void PlayerLanded() { spawnGrace.Landed(); }
    // Whether a bee, saucer or fire touches the player: their boxes, shrunk
    // by the contact margin, overlap. Enemies outside the view are parked
    // beyond the right edge, where they touch nothing.
    bool TouchesPlayer(const Sprite& harm) const;
    // A bee, saucer or burning fire touches the player.
    void EnemyTouchesPlayer();
    // Whether any bee or saucer, or a burning fire, touches the player now:
    // what their own steps test, all at once.
    bool HarmTouchesPlayer() const;
    // The player fell out of the bottom of the field.
    void PlayerFalls();
    // Paused: a player hidden by its blinking is shown for the pause.
    void ShowPlayer();

    // --- Enemies and fires (PlayfieldEnemies.cpp)
    void AddBee(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd);
    void AddUfo(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd);
    SpriteFire* CreateFire();

    // --- State the sprites, the world and the form read
    // True while the level is being played (not dying, finished or paused).
    bool StillPlaying() const;
    int32_t GetLevel() const { return level; }
    SpritePlayer* GetPlayer() const { return player; }
    SpriteDesc* Descriptor(SpriteKinds::Kind kind) { return &descriptors[kind]; }
    int32_t GetScroll() const { return scroll; }
    int32_t GetScrollOffset() const { return scrollOffset; }
    int32_t GetScrollLimit() const { return scrollLimit; }
    // The jump's state, stepped by SpriteJumping::Step and the landing.
    Rules::Jump& Jump() { return jump; }
    const Rules::Jump& Jump() const { return jump; }
    SpawnGrace& GetSpawnGrace() { return spawnGrace; }
    const SpawnGrace& GetSpawnGrace() const { return spawnGrace; }

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

    // Every sprite in the order the frame shows them, bottom first: the
    // scenery (tiles, then coins), then what moves (fires, bees, saucers,
    // the player on top).
    template <typename Visit>
    void ForEachSprite(Visit&& visit) const
    {
        for (auto* tile : groundTiles) visit(*tile);
        for (auto* tile : vegetationTiles) visit(*tile);
        for (auto* tile : platformTiles) visit(*tile);
        for (auto* coin : coins) visit(*coin);
        for (auto* fire : fires) visit(*fire);
        for (auto* bee : bees) visit(*bee);
        for (auto* ufo : ufos) visit(*ufo);
        if (player != nullptr)
            visit(static_cast<const Sprite&>(*player));
    }

private:
    void StepAnimations();
    // Shows or hides the player as its spawn grace blinks.
    void BlinkPlayer();
    // Animations taken out of their lists go here, and are deleted at the end
    // of the tick: a step may remove animations (its own, a death removes all)
    // while the tick still walks the ones that were due.
    void Retire(SpriteAnim* animation);
    void DeleteRetired();
    // Takes the sprite's first animation out of the list and retires it.
    void RemoveFirst(std::vector<SpriteAnim*>& list, const Sprite* sprite);
    // One walking step of `step` pixels as the walk rules decide, then the
    // fall check where it lands.
    void WalkBy(Rules::Walk how, int32_t step, SpriteDesc* desc);
    // A bee or saucer on its patrol, parked at the right edge until its
    // movement places it, with that movement; null when it cannot be made.
    SpriteApe* AddEnemy(SpriteKinds::Kind kind, int32_t height, int32_t start, int32_t speed, int32_t leftEnd,
                        int32_t rightEnd);
    template <typename T>
    void TilePool(std::vector<T*>& pool, size_t& used, int variant, int32_t x, int32_t y, int32_t frame,
                  bool drawInside);
    template <typename T>
    static void HidePoolRest(std::vector<T*>& pool, size_t used);
    void DeleteTiles();
    void DeleteEnemies();
    void DeleteFires();
    void DeleteCoins();

    World& world;
    int32_t level = 1;             // the level being built or played
    int32_t nextSpriteId = 1;      // serial number of the next sprite made

    Rules::Jump jump;

    // Walking and the view (world x of the view's left edge is scroll).
    int32_t scroll = 0;
    int32_t scrollOffset = 0;      // pixels walked right past scrollLimit
    int32_t scrollLimit = 0;       // 1 from every StartLevel on: the view stays put
    SpritePlayer* player = nullptr;
    int32_t pollCount = 0;         // the input poll acts on every kPollsPerAct-th call
    SpawnGrace spawnGrace;

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
    std::vector<SpriteAnim*> due;      // those whose period came in this tick; reused
    std::vector<SpriteAnim*> retired;  // out of the lists, deleted after the tick

    SpriteDesc descriptors[SpriteKinds::kCount];
};
