// A World driven step by step as the game form drives it: keys held in a
// key table, characters typed, and the world's state written out as a line
// of text for traces and failure messages.
#pragma once

#include "game/world/InputTape.h"
#include "game/world/KeyTable.h"
#include "game/world/World.h"

#include <cstdint>
#include <string>

// Stops every bee and saucer where it is (their patrol movements go).
void FreezeEnemies(Playfield& field);
// Takes the player out of its jump or fall and shows it somewhere.
void PlacePlayer(Playfield& field, int32_t x, int32_t y);

class WorldDriver {
public:
    WorldDriver() = default;

    // Key down and up in the key table (single-key mode, as the game has it).
    void Press(uint32_t key) { keys.KeyDown(key); }
    void Release(uint32_t key) { keys.KeyUp(key); }
    // A character typed before the next step.
    void Type(char character) { pending.Add(StepInput::Event::Typed, character); }
    void Add(StepInput::Event event) { pending.Add(event); }

    // Steps with the held keys and what was typed since the last step; the
    // world's cues are then those of the last step.
    void Step(int count = 1);
    // Steps until the state is no longer `waiting`, at most `limit` steps;
    // returns how many it took.
    int StepWhile(GameState waiting, int limit = 10000);
    void PlacePlayer(int32_t x, int32_t y) { ::PlacePlayer(world.Field(), x, y); }
    void FreezeEnemies() { ::FreezeEnemies(world.Field()); }
    // Steps until the player stands; false when it took too long.
    bool LandPlayer(int limit = 400);
    // Lets the player's spawn grace run out at once.
    void OutlastSpawnGrace();
    // The title screen, after the loading wait.
    void ToTitle();

    // "<step> <state> score S lives L level N scroll X coins C [jumping]
    // [grace] player x,y,frame bee x,y,frame ... fire x,y,frame [out]"
    std::string Describe(int step) const;
    static const char* StateName(GameState state);

    World world;
    KeyTable keys;
    InputTape* recording = nullptr;  // when set, every step's input is recorded there

private:
    StepInput pending;
};
