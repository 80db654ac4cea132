// The player: its creation, the input poll with walking and the scroll rules,
// jumps and falls stepped by SpriteJumping, the two support searches, and
// what harms it.
#include "game/world/Playfield.h"

#include "game/world/SpriteActors.h"
#include "game/world/SpriteMovement.h"
#include "game/world/SpriteScenery.h"
#include "game/world/World.h"
#include "support/Packing.h"

namespace {
constexpr uint64_t kNothing = PackPoint(-1, -1);

bool Found(uint64_t position) { return position != kNothing; }
}  // namespace

void Playfield::CreatePlayer()
{
    SpriteDesc* desc = Descriptor(SpriteKinds::Player);
    player = static_cast<SpritePlayer*>(CreateSprite(desc, 0));
    if (player == nullptr)
        return;
    player->SetFrame(SpriteKinds::kPlayerWalkingRight.first);  // facing right
    player->SetFrameRange({-1, -1});                           // and not walking
    player->SetPosition(Rules::StartX(desc->areaWidth), Rules::StartY(desc->areaHeight, jump));
    DrawSprite(player);
    spawnGrace.Start();
    StartFall();
}

void Playfield::EnemyTouchesPlayer()
{
    if (!spawnGrace.Protects())
        world.PlayerDies();
}

void Playfield::PlayerFalls() { world.PlayerDies(); }

bool Playfield::TouchesPlayer(const Sprite& harm) const
{
    return player != nullptr && harm.Overlaps(*player, Rules::kContactMargin, Rules::kContactMargin);
}

bool Playfield::HarmTouchesPlayer() const
{
    for (const auto* enemies : {&bees, &ufos})
        for (const SpriteApe* enemy : *enemies)
            if (TouchesPlayer(*enemy))
                return true;
    for (const SpriteFire* fire : fires)
        if (fire->Burns() && TouchesPlayer(*fire))
            return true;
    return false;
}

void Playfield::ShowPlayer()
{
    if (player != nullptr && !player->IsPlaced())
        DrawSprite(player);
}

void Playfield::BlinkPlayer()
{
    if (player == nullptr)
        return;
    // Runs after every move of the tick, so a hidden player stays hidden.
    if (!spawnGrace.Shown())
        EraseSprite(player);
    else if (!player->IsPlaced())
        DrawSprite(player);
}

void Playfield::StartJump(SpriteDesc* desc, Sprite* sprite)
{
    jump.Start();
    AddMovement(new SpriteJumping(this, desc, sprite, jump.period));
}

void Playfield::StartFall()
{
    jump.StartFall();
    StartJump(Descriptor(SpriteKinds::Player), player);
}

bool Playfield::MovePlayerX(Sprite* sprite, int32_t dx, SpriteDesc* desc)
{
    const int32_t x = sprite->GetX() + dx;
    if (x < 0 || x > desc->areaWidth - sprite->GetWidth())
        return false;
    sprite->SetPosition(x, sprite->GetY());
    DrawSprite(sprite);
    CoinCheck();
    return true;
}

bool Playfield::MoveSpriteY(Sprite* sprite, int32_t dy, SpriteDesc* desc)
{
    const int32_t y = sprite->GetY() + dy;
    if (y < 0 || y > desc->areaHeight - sprite->GetHeight())
        return false;
    sprite->SetPosition(sprite->GetX(), y);
    DrawSprite(sprite);
    return true;
}

namespace {
// The first shown tile of a row that the player stands on; a shown tile below
// the feet ends the search, since all tiles of a row share one y.
template <typename T>
bool SearchRow(const std::vector<T*>& row, const Sprite* player, uint64_t& result)
{
    const int32_t feet = player->GetY() + player->GetHeight();
    for (T* tile : row) {
        if (!tile->shown)
            continue;
        if (tile->GetY() > feet)
            return false;
        if (player->StandsOn(*tile)) {
            result = PackPoint(tile->GetX(), tile->GetY());
            return true;
        }
    }
    return false;
}
}  // namespace

uint64_t Playfield::SupportBelow()
{
    if (player == nullptr)
        return kNothing;
    uint64_t result = kNothing;
    if (SearchRow(groundTiles, player, result))
        return result;
    SearchRow(platformTiles, player, result);
    return result;
}

uint64_t Playfield::PlatformAbove()
{
    if (player == nullptr)
        return kNothing;
    for (SpriteTilesPedana* platform : platformTiles) {
        if (!platform->shown)
            continue;
        if (platform->GetY() + platform->GetHeight() < player->GetY())
            return kNothing;
        if (platform->StandsOn(*player))
            return PackPoint(platform->GetX(), platform->GetY());
    }
    return kNothing;
}

void Playfield::WalkBy(Rules::Walk how, int32_t step, SpriteDesc* desc)
{
    switch (how) {
    case Rules::Walk::MovePlayerPastLimit:
        scrollOffset += step;
        MovePlayerX(player, step, desc);
        break;
    case Rules::Walk::MovePlayer:
        MovePlayerX(player, step, desc);
        break;
    case Rules::Walk::ScrollView:
        scroll += step;
        RedrawView();
        break;
    }
    if (StillPlaying() && !jump.active && !Found(SupportBelow()))
        StartFall();
}

// Acts on every kPollsPerAct-th call. A step that ends the level (the coin
// check after a step) stops the poll: nothing else may act on a level that
// has been left.
void Playfield::PollInput(const Directions& held)
{
    const bool acts = pollCount == 0;
    pollCount = (pollCount + 1) % Rules::kPollsPerAct;
    if (!acts || player == nullptr)
        return;
    SpriteDesc* desc = Descriptor(SpriteKinds::Player);

    if (held.left) {
        if (player->GetFrameRange().first != SpriteKinds::kPlayerWalkingLeft.first)
            player->TurnLeft(desc);
        WalkBy(Rules::WalkLeft(scroll, scrollOffset, -Rules::kWalkStep), -Rules::kWalkStep, desc);
        if (!StillPlaying())
            return;
    }
    if (held.up && !jump.active)
        StartJump(desc, player);
    if (held.right) {
        if (player->GetFrameRange().first != SpriteKinds::kPlayerWalkingRight.first)
            player->TurnRight(desc);
        WalkBy(Rules::WalkRight(scroll, scrollLimit, player->GetX(), Rules::kWalkStep, desc->areaWidth),
               Rules::kWalkStep, desc);
        if (!StillPlaying())
            return;
    }
    if (held.down && jump.active && jump.Rising())
        jump.StopRising();
    if (!held.left && !held.right && player->GetFrameRange().first != -1) {
        RemoveFrameAnimation(player);
        player->SetFrameRange({-1, -1});
    }
}
