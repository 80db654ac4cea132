// Every file of the game's Data folder: the pictures with their frame
// geometry and drawer, the sounds with their synthesiser, and the writer that
// makes the folder. The build runs the writer; the tests and the contact
// sheet read the same table.
#pragma once

#include "tools/artgen/Backgrounds.h"
#include "tools/artgen/Screens.h"
#include "tools/artgen/Sounds.h"
#include "tools/artgen/Sprites.h"
#include "tools/artgen/Tiles.h"

#include <string>

namespace artgen {

struct PictureFile {
    const char* name;
    const char* caption;       // what it shows, for the contact sheet
    int width, height;         // pixels of the file
    int frameWidth, frameHeight; // pixels of one frame, stacked from the top
    int usedFrames;            // frames the game shows; any further ones are spare
    bool sprite;               // black is transparent: corners must be black
    Canvas (*draw)();
};

struct SoundFile {
    const char* name;
    const char* caption;
    double seconds;            // nominal length
    std::vector<int16_t> (*synth)();
};

inline constexpr PictureFile kPictures[] = {
    {"sfondopre1.bin", "LAYOUT 1: MEADOW", 800, 640, 800, 640, 1, false, DrawMeadow},
    {"sfondopre2.bin", "LAYOUT 2: DUSK HILLS", 800, 640, 800, 640, 1, false, DrawDusk},
    {"sfondopre3.bin", "LAYOUT 3: STARRY NIGHT", 800, 640, 800, 640, 1, false, DrawNight},
    {"sfondo.bin", "LAYOUT 4: MOUNTAINS", 800, 640, 800, 640, 1, false, DrawMountains},
    {"sfondo2.bin", "LAYOUT 5: FOREST", 800, 640, 800, 640, 1, false, DrawForest},
    {"sfondo3.bin", "LAYOUT 6: DESERT", 800, 640, 800, 640, 1, false, DrawDesert},
    {"sfondo4.bin", "LAYOUT 7: SNOW", 800, 640, 800, 640, 1, false, DrawSnow},
    {"sfondo5.bin", "LAYOUT 8: CAVE", 800, 640, 800, 640, 1, false, DrawCave},
    {"blank.bin", "ANY OTHER LAYOUT", 800, 640, 800, 640, 1, false, DrawBlank},
    {"logo.bin", "TITLE", 800, 640, 800, 640, 1, false, DrawTitle},
    {"replay.bin", "LIFE LOST", 800, 640, 800, 640, 1, false, DrawLifeLost},
    {"livello.bin", "LEVEL COMPLETE", 800, 640, 800, 640, 1, false, DrawLevelDone},
    {"gameover.bin", "GAME OVER", 800, 640, 800, 640, 1, false, DrawGameOver},
    {"player.bin", "PLAYER: 0-2 WALK LEFT, 3-5 WALK RIGHT", kPlayerWidth, kPlayerHeight * kPlayerFrames,
     kPlayerWidth, kPlayerHeight, kPlayerFrames, true, DrawPlayerStrip},
    {"tiles.bin", "TILES: 0 GROUND (TOP HALF = PLATFORM), 1-6 VEGETATION, 7-9 SPARE", kTileSize,
     kTileSize * kTileFrames, kTileSize, kTileSize, 7, true, DrawTilesStrip},
    {"money.bin", "COIN IN THE TOP-LEFT 20X19", kCoinCell, kCoinCell, kCoinWidth, kCoinHeight, 1, true, DrawMoney},
    {"ape.bin", "BEE: 0-1 FACING RIGHT, 2-3 FACING LEFT", kBeeWidth, kBeeHeight * kBeeFrames, kBeeWidth, kBeeHeight,
     kBeeFrames, true, DrawBeeStrip},
    {"fire.bin", "FIRE: 2-7 TALL (DEADLY), 0-1 AND 8-11 EMBERS", kFireWidth, kFireHeight * kFireFrames, kFireWidth,
     kFireHeight, kFireFrames, true, DrawFireStrip},
    {"ufo.bin", "SAUCER: LIGHTS RUN ROUND THE RIM", kUfoWidth, kUfoHeight * kUfoFrames, kUfoWidth, kUfoHeight,
     kUfoFrames, true, DrawUfoStrip},
};
inline constexpr int kPictureCount = int(sizeof(kPictures) / sizeof(kPictures[0]));
static_assert(kPictureCount == 19, "13 full-screen pictures and 6 sprite strips");

constexpr bool FramesFit() {
    for (const PictureFile& p : kPictures)
        if (p.frameWidth > p.width || p.frameHeight * p.usedFrames > p.height) return false;
    return true;
}
static_assert(FramesFit(), "every used frame lies inside its picture");
// The game decodes the strips at these sizes.
static_assert(kPlayerHeight * kPlayerFrames == 384 && kTileSize * kTileFrames == 640 &&
                  kBeeHeight * kBeeFrames == 120 && kFireHeight * kFireFrames == 360 &&
                  kUfoHeight * kUfoFrames == 160,
              "strip heights");

inline constexpr SoundFile kSounds[] = {
    {"beep.wav", "REFUSED KEY", 0.1, SynthBeep},
    {"ding.wav", "COIN", 0.3, SynthDing},
    {"urlo.wav", "LIFE LOST", 0.8, SynthCry},
};
inline constexpr int kSoundCount = int(sizeof(kSounds) / sizeof(kSounds[0]));
static_assert(kSoundCount == 3, "three sound effects");

// Creates the folder (and its parents) and writes every file into it, and
// the game's icon (tools/artgen/Icon.h) in its two forms. On
// failure returns false with a message for the build log in *error.
bool WriteDataFolder(const std::string& folder, std::string* error);

}  // namespace artgen
