// SpawnGrace: the player's protection at the start of a level, so that no one
// dies before being able to act. Bees, saucers and fires do not harm the
// player while it drops from its start position and for kAfterLandingMs of
// game time after its first landing, and the grace does not end while one of
// them touches the player: it ends at the first step after its time with
// nothing harmful on the player (an enemy passing through a player who stands
// still would otherwise kill at the moment the time runs out). The player
// blinks meanwhile. Holes still kill. Needs no X.
#pragma once

#include <cstdint>

class SpawnGrace {
public:
    static constexpr int32_t kAfterLandingMs = 2000;  // ms of game time after the first landing
    static constexpr int32_t kBlinkHalfMs = 100;      // ms shown, then as long hidden

    // A new player drops from its start position.
    void Start()
    {
        phase = Phase::Dropping;
        sinceLandingMs = 0;
        blinkMs = 0;
    }
    // The player stands on a tile; only the first landing starts the count.
    void Landed()
    {
        if (phase == Phase::Dropping)
            phase = Phase::Landed;
    }
    // Game time passing (the steps while playing); touched: whether a bee, a
    // saucer or a burning fire touches the player now.
    void Advance(int32_t ms, bool touched)
    {
        if (phase == Phase::Over)
            return;
        blinkMs += ms;
        if (phase == Phase::Landed) {
            sinceLandingMs += ms;
            if (sinceLandingMs >= kAfterLandingMs && !touched)
                phase = Phase::Over;
        }
    }
    // Enemies and fires cannot harm the player.
    bool Protects() const { return phase != Phase::Over; }
    // Whether the blinking player is to be seen now.
    bool Shown() const { return !Protects() || (blinkMs / kBlinkHalfMs) % 2 == 0; }

private:
    enum class Phase { Over, Dropping, Landed };

    Phase phase = Phase::Over;
    int32_t sinceLandingMs = 0;  // ms
    int32_t blinkMs = 0;         // ms since the grace began
};
