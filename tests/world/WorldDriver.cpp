#include "tests/world/WorldDriver.h"

#include "game/world/SpriteActors.h"
#include "game/world/SpriteMovement.h"

#include <sstream>

void WorldDriver::Step(int count)
{
    for (int i = 0; i < count; ++i) {
        pending.held = 0;
        if (keys.IsKeyDown(KeyTable::kLeft))
            pending.held |= StepInput::kLeft;
        if (keys.IsKeyDown(KeyTable::kRight))
            pending.held |= StepInput::kRight;
        if (keys.IsKeyDown(KeyTable::kUp))
            pending.held |= StepInput::kUp;
        if (keys.IsKeyDown(KeyTable::kDown))
            pending.held |= StepInput::kDown;
        world.ClearCues();
        if (recording != nullptr)
            recording->Record(pending);
        world.Step(pending);
        pending = StepInput{};
    }
}

int WorldDriver::StepWhile(GameState waiting, int limit)
{
    int steps = 0;
    for (; steps < limit && world.GetGameState() == waiting; ++steps)
        Step();
    return steps;
}

void PlacePlayer(Playfield& field, int32_t x, int32_t y)
{
    field.RemoveMovement(field.GetPlayer());
    field.Jump().active = false;
    field.GetPlayer()->SetPosition(x, y);
    field.DrawSprite(field.GetPlayer());
}

void FreezeEnemies(Playfield& field)
{
    for (const auto* enemies : {&field.Bees(), &field.Ufos()})
        for (SpriteApe* enemy : *enemies)
            field.RemoveMovement(enemy);
}

bool WorldDriver::LandPlayer(int limit)
{
    for (int i = 0; i < limit && world.Field().Jump().active; ++i)
        Step();
    return !world.Field().Jump().active;
}

void WorldDriver::OutlastSpawnGrace()
{
    SpawnGrace& grace = world.Field().GetSpawnGrace();
    grace.Landed();
    grace.Advance(SpawnGrace::kAfterLandingMs, false);
}

void WorldDriver::ToTitle()
{
    world.RunApp();
    StepWhile(GameState::Loading);
}

const char* WorldDriver::StateName(GameState state)
{
    switch (state) {
    case GameState::Building: return "building";
    case GameState::Title: return "title";
    case GameState::Playing: return "playing";
    case GameState::Paused: return "paused";
    case GameState::NameEntry: return "name-entry";
    case GameState::ScoreRecorded: return "score-recorded";
    case GameState::Loading:
    case GameState::LifeLost:
    case GameState::LevelDone:
    case GameState::Restarting: return "waiting";
    }
    return "?";
}

namespace {
void Note(std::ostream& out, const char* name, const Sprite* sprite)
{
    if (sprite != nullptr)
        out << ' ' << name << ' ' << sprite->GetX() << ',' << sprite->GetY() << ',' << sprite->GetFrame();
}
}  // namespace

std::string WorldDriver::Describe(int step) const
{
    const Playfield& field = world.Field();
    std::ostringstream out;
    out << step << ' ' << StateName(world.GetGameState()) << " score " << world.GetScore() << " lives "
        << world.GetLives() << " level " << world.GetLevel() << " scroll " << field.GetScroll() << " coins "
        << field.CoinsTaken() << (field.Jump().active ? " jumping" : "")
        << (field.GetSpawnGrace().Protects() ? " grace" : "");
    Note(out, "player", field.GetPlayer());
    for (const SpriteApe* bee : field.Bees())
        Note(out, "bee", bee);
    for (const SpriteApe* ufo : field.Ufos())
        Note(out, "ufo", ufo);
    for (const SpriteFire* fire : field.Fires()) {
        Note(out, "fire", fire);
        out << (fire->active ? "" : " out");
    }
    return out.str();
}
