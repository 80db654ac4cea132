#include "game/world/Playfield.h"

#include "game/world/SpriteActors.h"
#include "game/world/SpriteAnim.h"
#include "game/world/SpriteFactory.h"
#include "game/world/SpriteScenery.h"
#include "game/world/World.h"

#include <algorithm>

namespace {
// Enough for every animation of the busiest level: no tick grows them.
constexpr size_t kAnimationCapacity = 64;

template <typename T>
void DeleteAll(std::vector<T*>& list)
{
    for (T* item : list)
        delete item;
    list.clear();
}
}  // namespace

Playfield::Playfield(World& world) : world(world)
{
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
        descriptors[kind] = SpriteKinds::DefaultDesc(SpriteKinds::kGameDescs[kind].kindName);
    for (std::vector<SpriteAnim*>* list : {&frameAnimations, &movements, &due, &retired})
        list->reserve(kAnimationCapacity);
}

Playfield::~Playfield()
{
    Clear();
}

void Playfield::SetGameDescriptors()
{
    for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
        descriptors[kind] = SpriteKinds::kGameDescs[kind];
}

void Playfield::Clear()
{
    delete player;
    player = nullptr;
    DeleteAllAnimations();
    DeleteRetired();
    DeleteFires();
    DeleteTiles();
    DeleteCoins();
    DeleteEnemies();
}

bool Playfield::StillPlaying() const { return world.GetGameState() == GameState::Playing; }

void Playfield::Tick(const Directions& held)
{
    StepAnimations();
    if (StillPlaying())
        PollInput(held);
    if (StillPlaying()) {
        spawnGrace.Advance(Rules::kTickMs, spawnGrace.Protects() && HarmTouchesPlayer());
        BlinkPlayer();
    }
    DeleteRetired();
}

// Frame steps come first, then the movements in the order they were added.
// A step may take animations out of the lists (a jump that ends, a death
// takes all): those are retired, not deleted, so every animation that was
// due when the tick began still steps, unless the level has been left.
void Playfield::StepAnimations()
{
    due.clear();
    for (std::vector<SpriteAnim*>* list : {&frameAnimations, &movements}) {
        for (SpriteAnim* animation : *list) {
            if (Rules::AdvanceClock(animation->counter, animation->period))
                due.push_back(animation);
        }
    }
    for (SpriteAnim* animation : due) {
        if (!StillPlaying())
            break;
        animation->Step();
    }
    due.clear();
}

Sprite* Playfield::CreateSprite(SpriteDesc* desc, int variant)
{
    return ::CreateSprite(this, *desc, variant, nextSpriteId++);
}

void Playfield::DrawSprite(Sprite* sprite) { sprite->Draw(); }

void Playfield::EraseSprite(Sprite* sprite) { sprite->Erase(); }

void Playfield::Retire(SpriteAnim* animation) { retired.push_back(animation); }

void Playfield::DeleteRetired() { DeleteAll(retired); }

namespace {
std::vector<SpriteAnim*>::iterator FirstOf(std::vector<SpriteAnim*>& list, const Sprite* sprite)
{
    return std::find_if(list.begin(), list.end(), [sprite](SpriteAnim* animation) {
        return animation->sprite != nullptr && animation->sprite->GetId() == sprite->GetId();
    });
}
}  // namespace

void Playfield::RemoveFirst(std::vector<SpriteAnim*>& list, const Sprite* sprite)
{
    const auto found = FirstOf(list, sprite);
    if (found == list.end())
        return;
    Retire(*found);
    list.erase(found);
}

void Playfield::RemoveFrameAnimation(Sprite* sprite) { RemoveFirst(frameAnimations, sprite); }

void Playfield::RemoveMovement(Sprite* sprite) { RemoveFirst(movements, sprite); }

void Playfield::DeleteAllAnimations()
{
    for (std::vector<SpriteAnim*>* list : {&frameAnimations, &movements}) {
        for (SpriteAnim* animation : *list)
            Retire(animation);
        list->clear();
    }
}

void Playfield::DeleteTiles()
{
    DeleteAll(groundTiles);
    DeleteAll(vegetationTiles);
    DeleteAll(platformTiles);
}

void Playfield::DeleteEnemies()
{
    DeleteAll(bees);
    DeleteAll(ufos);
}

void Playfield::DeleteFires() { DeleteAll(fires); }

void Playfield::DeleteCoins()
{
    visibleCoins.clear();
    DeleteAll(coins);
}
