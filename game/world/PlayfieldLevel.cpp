// Building a level from its layout: StartLevel in its order, the creation
// pass, the tile, coin and fire passes that place everything for the current
// scroll, and the coin check.
#include "game/world/Playfield.h"

#include "game/world/LevelLayouts.h"
#include "game/world/SpriteActors.h"
#include "game/world/SpriteFactory.h"
#include "game/world/SpriteScenery.h"
#include "game/world/World.h"

#include <algorithm>

namespace {
constexpr int32_t kAreaWidth = SpriteKinds::kAreaWidth;  // pixels
// Columns a pass places: as many as the view holds, and one more for a view
// between columns.
constexpr int32_t kTilesAcross = (kAreaWidth + Layouts::kColumnWidth - 1) / Layouts::kColumnWidth + 1;
constexpr int32_t kHiddenTileX = kAreaWidth + Layouts::kColumnWidth;        // parked outside the field
constexpr int32_t kHiddenFireX = kAreaWidth + DataFiles::kFireStrip.frameWidth;
constexpr int32_t kCoinWidth = DataFiles::kCoin.frameWidth;                  // pixels
constexpr int32_t kFireWidth = DataFiles::kFireStrip.frameWidth;             // pixels
static_assert(kTilesAcross == 14 && kHiddenTileX == 864 && kHiddenFireX == 840, "the passes' columns and parking places");

// Floor division and the remainder that goes with C++'s truncating one.
int32_t FloorDiv(int32_t a, int32_t b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }
}  // namespace

void Playfield::StartLevel(int32_t levelNumber)
{
    level = levelNumber;
    DeleteAllAnimations();
    const int layout = Layouts::LayoutOf(level);

    scroll = 0;
    scrollOffset = 0;
    scrollLimit = 1;

    coinsTotal = CoinCount();
    coinsTaken = 0;
    takenCoins.clear();

    SetFirePositions(layout);
    CreationPass();
    RedrawView();

    delete player;
    player = nullptr;
    CreatePlayer();

    DeleteEnemies();
    CreateEnemies(layout);
}

void Playfield::SetFirePositions(int layout)
{
    const Layouts::Entries<int32_t> positions = Layouts::FiresOf(layout);
    firePositions.assign(positions.begin(), positions.end());
}

void Playfield::CreateEnemies(int layout)
{
    for (const Layouts::EnemyEntry& e : Layouts::EnemiesOf(layout)) {
        switch (e.kind) {
        case Layouts::EnemyEntry::Bee:
            AddBee(e.height, e.start, e.speed, e.leftEnd, e.rightEnd);
            break;
        case Layouts::EnemyEntry::Ufo:
            AddUfo(e.height, e.start, e.speed, e.leftEnd, e.rightEnd);
            break;
        }
    }
}

int Playfield::CoinCount() const { return Layouts::CoinCount(Layouts::LayoutOf(level)); }

void Playfield::CreationPass()
{
    if (!firePositions.empty()) {
        DeleteFires();
        for (size_t i = 0; i < firePositions.size(); ++i) {
            SpriteFire* fire = CreateFire();
            if (fire != nullptr)
                fires.push_back(fire);
        }
    } else {
        // A layout without fires keeps the last one's, still and out of sight.
        for (SpriteFire* fire : fires)
            EraseSprite(fire);
    }
    DeleteTiles();
    DeleteCoins();
    const Layouts::Entries<Layouts::CoinPosition> positions = Layouts::CoinsOf(Layouts::LayoutOf(level));
    for (int i = 0; i < positions.count; ++i) {
        auto* coin = static_cast<SpriteMonete*>(CreateSprite(Descriptor(SpriteKinds::Money), 0));
        if (coin == nullptr)
            continue;
        coin->index = i;
        coins.push_back(coin);
    }
}

// Takes the next tile of a pool, making one when the pool is used up, and
// places it for this pass.
template <typename T>
void Playfield::TilePool(std::vector<T*>& pool, size_t& used, int variant, int32_t x, int32_t y, int32_t frame,
                         bool drawInside)
{
    if (used == pool.size()) {
        Sprite* made = CreateSprite(Descriptor(SpriteKinds::Tiles), variant);
        if (made == nullptr)
            return;
        pool.push_back(static_cast<T*>(made));
    }
    T* tile = pool[used++];
    tile->shown = true;
    tile->SetPosition(x, y);
    tile->SetFrame(frame);
    if (!drawInside || x < kAreaWidth)
        DrawSprite(tile);
}

// Tiles a pass did not need are parked outside the field, out of sight.
template <typename T>
void Playfield::HidePoolRest(std::vector<T*>& pool, size_t used)
{
    for (size_t i = used; i < pool.size(); ++i) {
        T* tile = pool[i];
        tile->shown = false;
        tile->SetPosition(kHiddenTileX, tile->GetY());
        tile->Draw();
    }
}

void Playfield::RedrawView()
{
    TilePass();
    CoinPass();
    FirePass();
}

void Playfield::TilePass()
{
    const int layout = Layouts::LayoutOf(level);
    const int32_t tileWidth = Descriptor(SpriteKinds::Tiles)->width;
    const int32_t first = FloorDiv(scroll, tileWidth);
    const int32_t end = first + kTilesAcross;
    const int32_t offset = scroll % tileWidth;
    size_t ground = 0, vegetation = 0, platform = 0;

    for (int32_t column = first; column < end; ++column) {
        if (column >= Layouts::kColumns)
            continue;
        const int32_t x = tileWidth * (column - first) - offset;
        const int32_t g = Layouts::GroundAt(layout, column);
        if (g != Layouts::kNone)
            TilePool(groundTiles, ground, kTileGround, x, Layouts::kGroundY, g, true);
        const int32_t v = Layouts::VegetationAt(layout, column);
        if (v != Layouts::kNone)
            TilePool(vegetationTiles, vegetation, kTileVegetation, x, Layouts::kVegetationY, v, true);
        const int32_t p = Layouts::PlatformAt(layout, column);
        if (p != Layouts::kNone)
            TilePool(platformTiles, platform, kTilePlatform, x, Layouts::kPlatformY, p - 1, false);
    }
    HidePoolRest(groundTiles, ground);
    HidePoolRest(vegetationTiles, vegetation);
    HidePoolRest(platformTiles, platform);
}

void Playfield::CoinPass()
{
    if (coinsTaken >= coinsTotal)
        return;
    visibleCoins.clear();
    const Layouts::Entries<Layouts::CoinPosition> positions = Layouts::CoinsOf(Layouts::LayoutOf(level));
    const int count = std::min<int>(positions.count, static_cast<int>(coins.size()));
    for (int i = 0; i < count; ++i) {
        const Layouts::CoinPosition& at = positions.items[i];
        SpriteMonete* coin = coins[i];
        const bool inView = Rules::InView(at.x, kCoinWidth, scroll, kAreaWidth);
        const bool taken = std::find(takenCoins.begin(), takenCoins.end(), i) != takenCoins.end();
        if (inView && !taken) {
            coin->shown = true;
            coin->SetPosition(at.x - scroll, at.y);
            DrawSprite(coin);
            visibleCoins.push_back(coin);
        } else if (!inView && coin->shown) {
            coin->shown = false;
            EraseSprite(coin);
        }
    }
}

void Playfield::FirePass()
{
    const size_t count = std::min(firePositions.size(), fires.size());
    for (size_t i = 0; i < count; ++i) {
        SpriteFire* fire = fires[i];
        const int32_t position = firePositions[i];
        if (!Rules::InView(position, kFireWidth, scroll, kAreaWidth)) {
            fire->active = false;
            fire->SetPosition(kHiddenFireX, fire->GetY());
        } else {
            fire->active = true;
            fire->SetPosition(position - scroll, Layouts::kFireY);
        }
        DrawSprite(fire);
    }
}

void Playfield::CoinCheck()
{
    if (player == nullptr)
        return;
    for (SpriteMonete*& coin : visibleCoins) {
        if (coin == nullptr || !player->Overlaps(*coin, 0, 0))
            continue;
        takenCoins.push_back(coin->index);
        EraseSprite(coin);
        world.AddScore(World::kCoinValue);
        world.PlaySound(Sound::Coin);
        coin = nullptr;
        coinsTaken += 1;
    }
    // The last coin finishes the level at once: a player who stops on it
    // must not lose the level to an enemy before a next step.
    if (coinsTaken >= coinsTotal)
        world.LevelComplete();
}
