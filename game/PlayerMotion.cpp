// The player: its creation, the input poll with walking and the scroll rules,
// jumps and falls stepped by SpriteJumping, landing and the head bump, and the
// two support searches.
#include "game/FormMain.h"

#include "game/LevelLayouts.h"
#include "game/SpriteActors.h"
#include "game/SpriteMovement.h"
#include "game/SpriteScenery.h"
#include "services/Joystick.h"
#include "support/Packing.h"


namespace {
constexpr uint64_t kNothing = PackPoint(-1, -1);

bool Found(uint64_t position) { return position != kNothing; }
}  // namespace

void FormMain::CreatePlayer()
{
    SpriteDesc* desc = Descriptor(SpriteKinds::Player);
    player = static_cast<SpritePlayer*>(CreateSprite(desc, 0));
    if (player == nullptr)
        return;
    player->SetFrame(SpriteKinds::kPlayerWalkingRight.first);  // facing right
    player->SetPosition(Rules::StartX(desc->areaWidth), Rules::StartY(desc->areaHeight, jump));
    DrawSprite(player);
    spawnGrace.Start();
    StartFall();
}

void FormMain::EnemyTouchesPlayer()
{
    if (!spawnGrace.Protects())
        PlayerDies();
}

void FormMain::BlinkPlayer()
{
    if (player == nullptr)
        return;
    // Runs after every move of the tick, so a hidden player stays hidden.
    if (!spawnGrace.Shown())
        EraseSprite(player);
    else if (!player->IsPlaced())
        DrawSprite(player);
}

void FormMain::StartJump(SpriteDesc* desc, Sprite* sprite)
{
    jump.Start();
    AddMovement(new SpriteJumping(this, desc, sprite, jump.period));
}

void FormMain::StartFall()
{
    jump.StartFall();
    StartJump(Descriptor(SpriteKinds::Player), player);
}

bool FormMain::MovePlayerX(Sprite* sprite, int32_t dx, SpriteDesc* desc)
{
    const int32_t x = sprite->GetX() + dx;
    if (x < 0 || x > desc->areaWidth - sprite->GetWidth())
        return false;
    sprite->SetPosition(x, sprite->GetY());
    DrawSprite(sprite);
    CoinCheck();
    return true;
}

bool FormMain::MoveSpriteY(Sprite* sprite, int32_t dy, SpriteDesc* desc)
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
bool SearchRow(const std::vector<T*>& row, Sprite* player, uint64_t& result)
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

uint64_t FormMain::SupportBelow()
{
    if (player == nullptr)
        return kNothing;
    uint64_t result = kNothing;
    if (SearchRow(groundTiles, player, result))
        return result;
    SearchRow(platformTiles, player, result);
    return result;
}

uint64_t FormMain::PlatformAbove()
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

// Reads the keys and the joystick on every second call. A step that ends the
// level (the coin check after a step) stops the poll: nothing else may act on
// a level that has been left.
void FormMain::PollInput()
{
    pollActs = !pollActs;
    if (!pollActs || player == nullptr)
        return;
    // One joystick for the whole game: it reopens a lost device by itself.
    const bool stick = joystickEnabled;
    if (stick && joystick == nullptr)
        joystick = new Joystick();
    SpriteDesc* desc = Descriptor(SpriteKinds::Player);

    const bool left = IsKeyDown(KeyTable::kLeft) || (stick && joystick->JoystickLeft());
    const bool up = IsKeyDown(KeyTable::kUp) || (stick && joystick->JoystickUp());
    const bool right = IsKeyDown(KeyTable::kRight) || (stick && joystick->JoystickRight());
    const bool down = IsKeyDown(KeyTable::kDown) || (stick && joystick->JoystickDown());

    auto fallCheck = [this]() {
        if (StillPlaying() && !jump.active && !Found(SupportBelow()))
            StartFall();
    };

    if (left) {
        if (desc->firstFrame != SpriteKinds::kPlayerWalkingLeft.first)
            player->TurnLeft(desc);
        switch (Rules::WalkLeft(scroll, scrollOffset, leftStep)) {
        case Rules::Walk::MovePlayerPastLimit:
            scrollOffset += leftStep;
            MovePlayerX(player, leftStep, desc);
            break;
        case Rules::Walk::MovePlayer:
            MovePlayerX(player, leftStep, desc);
            break;
        case Rules::Walk::ScrollView:
            scroll += leftStep;
            RedrawView();
            break;
        }
        fallCheck();
        if (!StillPlaying())
            return;
    }
    if (up && !jump.active)
        StartJump(desc, player);
    if (right) {
        if (desc->firstFrame != SpriteKinds::kPlayerWalkingRight.first)
            player->TurnRight(desc);
        switch (Rules::WalkRight(scroll, scrollLimit, player->GetX(), rightStep, desc->areaWidth)) {
        case Rules::Walk::MovePlayer:
            MovePlayerX(player, rightStep, desc);
            break;
        case Rules::Walk::MovePlayerPastLimit:
            scrollOffset += rightStep;
            MovePlayerX(player, rightStep, desc);
            break;
        case Rules::Walk::ScrollView:
            scroll += rightStep;
            RedrawView();
            break;
        }
        fallCheck();
        if (!StillPlaying())
            return;
    }
    if (down && jump.active && jump.Rising())
        jump.StopRising();
    if (!left && !right && desc->firstFrame != -1) {
        RemoveFrameAnimation(player);
        desc->firstFrame = -1;
        desc->lastFrame = -1;
    }
}
