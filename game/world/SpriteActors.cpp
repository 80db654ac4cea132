// The moving sprites' game behaviour: the player's landing, head bump and
// turns, the bee's turns, the fire's burning frames.
#include "game/world/SpriteActors.h"

#include "game/world/Playfield.h"
#include "game/world/SpriteAnim.h"
#include "support/Packing.h"

namespace {
bool Found(uint64_t position) { return position != PackPoint(-1, -1); }

// Replaces the sprite's frame animation by one over the new range and shows
// the range's first frame. The range is the sprite's own: the kind's
// descriptor, which every sprite of the kind shares, stays as it is.
void Turn(Playfield* field, Sprite* sprite, SpriteDesc* desc, SpriteKinds::FrameRange range)
{
    field->RemoveFrameAnimation(sprite);
    sprite->SetFrameRange(range);
    auto* animation = new SpriteAnimazione(field, desc, sprite);
    animation->firstFrame = range.first;
    animation->lastFrame = range.last;
    field->AddFrameAnimation(animation);
    sprite->SetFrame(range.first);
    field->DrawSprite(sprite);
}
}  // namespace

SpritePlayer::SpritePlayer(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
    : Sprite(owner, picture, width, height, id)
{
    kind = "spriteplayer";
    lands = true;
}

void SpritePlayer::TurnLeft(SpriteDesc* desc) { Turn(owner, this, desc, SpriteKinds::kPlayerWalkingLeft); }

void SpritePlayer::TurnRight(SpriteDesc* desc) { Turn(owner, this, desc, SpriteKinds::kPlayerWalkingRight); }

bool SpritePlayer::Land(bool moved)
{
    Rules::Jump& jump = owner->Jump();
    bool result = moved;
    if (!jump.Rising()) {
        if (!moved) {
            // Out of the bottom of the field; nothing else may happen to a dead player.
            owner->PlayerFalls();
            return false;
        }
        const uint64_t tile = owner->SupportBelow();
        if (Found(tile)) {
            // Shown there at its next draw.
            SetPosition(x, Rules::StandingY(PointY(tile)));
            owner->PlayerLanded();
            result = false;
        }
    } else if (!moved) {
        jump.StopRising();  // the top of the field
        result = true;
    } else if (Found(owner->PlatformAbove())) {
        jump.StopRising();  // a head bump
    }
    owner->CoinCheck();
    return result;
}

SpriteApe::SpriteApe(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
    : Sprite(owner, picture, width, height, id)
{
    kind = "spriteape";
}

void SpriteApe::TurnLeft(SpriteDesc* desc) { Turn(owner, this, desc, SpriteKinds::kBeeFacingLeft); }

void SpriteApe::TurnRight(SpriteDesc* desc) { Turn(owner, this, desc, SpriteKinds::kBeeFacingRight); }

SpriteUfo::SpriteUfo(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
    : SpriteApe(owner, picture, width, height, id)
{
    kind = "spriteufo";
}

SpriteFire::SpriteFire(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
    : Sprite(owner, picture, width, height, id)
{
    kind = "spritefire";
}

bool SpriteFire::Burns() const { return active && Rules::FireBurns(GetFrame() + 1); }

void SpriteFire::Act()
{
    if (Burns() && owner->TouchesPlayer(*this))
        owner->EnemyTouchesPlayer();
}
