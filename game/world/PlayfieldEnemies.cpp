// Bees, flying saucers and fires: their creation with their animations.
// Their behaviour on the clock is with their classes.
#include "game/world/Playfield.h"

#include "game/world/SpriteActors.h"
#include "game/world/SpriteAnim.h"
#include "game/world/SpriteMovement.h"

namespace {
constexpr int32_t kAreaWidth = SpriteKinds::kAreaWidth;    // pixels
constexpr int32_t kAreaHeight = SpriteKinds::kAreaHeight;  // pixels
}  // namespace

SpriteApe* Playfield::AddEnemy(SpriteKinds::Kind kind, int32_t height, int32_t start, int32_t speed,
                               int32_t leftEnd, int32_t rightEnd)
{
    SpriteDesc* desc = Descriptor(kind);
    auto* enemy = static_cast<SpriteApe*>(CreateSprite(desc, 0));
    if (enemy == nullptr)
        return nullptr;
    enemy->maxX = rightEnd;
    enemy->minX = leftEnd;
    enemy->worldX = start;
    enemy->speed = speed;
    enemy->SetPosition(kAreaWidth, kAreaHeight - height);
    AddMovement(new MovementEnemies(this, desc, enemy));
    return enemy;
}

void Playfield::AddBee(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd)
{
    SpriteApe* bee = AddEnemy(SpriteKinds::Ape, height, start, speed, leftEnd, rightEnd);
    if (bee == nullptr)
        return;
    // First shown at the right end of its patrol when that lies in the view.
    if (rightEnd != -1 && rightEnd < kAreaWidth)
        bee->SetPosition(rightEnd, bee->GetY());
    // A turn gives the bee its frame animation, facing the way it flies.
    SpriteDesc* desc = Descriptor(SpriteKinds::Ape);
    if (speed < 0)
        bee->TurnLeft(desc);
    else
        bee->TurnRight(desc);
    DrawSprite(bee);
    bees.push_back(bee);
}

void Playfield::AddUfo(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd)
{
    SpriteApe* ufo = AddEnemy(SpriteKinds::Ufo, height, start, speed, leftEnd, rightEnd);
    if (ufo == nullptr)
        return;
    AddFrameAnimation(new SpriteAnimazione(this, Descriptor(SpriteKinds::Ufo), ufo));
    DrawSprite(ufo);
    ufos.push_back(ufo);
}

SpriteFire* Playfield::CreateFire()
{
    SpriteDesc* desc = Descriptor(SpriteKinds::Fire);
    auto* fire = static_cast<SpriteFire*>(CreateSprite(desc, 0));
    if (fire == nullptr)
        return nullptr;
    fire->active = false;
    AddFrameAnimation(new SpriteAnimazione(this, desc, fire));
    return fire;
}
