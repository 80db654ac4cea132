// Bees, flying saucers and fires: their creation with their animations.
// Their behaviour on the clock is with their classes.
#include "game/world/Playfield.h"

#include "game/world/SpriteActors.h"
#include "game/world/SpriteAnim.h"
#include "game/world/SpriteMovement.h"

namespace {
constexpr int32_t kAreaWidth = SpriteKinds::kAreaWidth;    // pixels
constexpr int32_t kAreaHeight = SpriteKinds::kAreaHeight;  // pixels

void SetPatrol(SpriteApe* enemy, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd)
{
    enemy->maxX = rightEnd;
    enemy->minX = leftEnd;
    enemy->worldX = start;
    enemy->speed = speed;
}
}  // namespace

void Playfield::AddBee(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd)
{
    SpriteDesc* desc = Descriptor(SpriteKinds::Ape);
    auto* bee = static_cast<SpriteApe*>(CreateSprite(desc, 0));
    if (bee == nullptr)
        return;
    SetPatrol(bee, start, speed, leftEnd, rightEnd);
    const int32_t x = (bee->maxX != -1 && bee->maxX < kAreaWidth) ? bee->maxX : kAreaWidth;
    bee->SetFrame(SpriteKinds::kBeeFacingLeft.first);
    bee->SetPosition(x, kAreaHeight - height);
    AddMovement(new MovementEnemies(this, desc, bee));
    AddFrameAnimation(new SpriteAnimazione(this, desc, bee));
    if (speed < 0)
        bee->TurnLeft(desc);
    else
        bee->TurnRight(desc);
    DrawSprite(bee);
    bees.push_back(bee);
}

void Playfield::AddUfo(int32_t height, int32_t start, int32_t speed, int32_t leftEnd, int32_t rightEnd)
{
    SpriteDesc* desc = Descriptor(SpriteKinds::Ufo);
    auto* ufo = static_cast<SpriteApe*>(CreateSprite(desc, 0));
    if (ufo == nullptr)
        return;
    SetPatrol(ufo, start, speed, leftEnd, rightEnd);
    AddMovement(new MovementEnemies(this, desc, ufo));
    AddFrameAnimation(new SpriteAnimazione(this, desc, ufo));
    ufo->SetPosition(kAreaWidth, kAreaHeight - height);
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
