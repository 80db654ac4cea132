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

// A picture file of the shared list, with what the generator adds to it.
constexpr PictureFile Drawn(const DataFiles::Picture& file, const char* caption, int usedFrames, bool sprite,
                            Canvas (*draw)())
{
    return {file.name, caption, file.width, file.height, file.frameWidth, file.frameHeight, usedFrames, sprite, draw};
}

inline constexpr PictureFile kPictures[] = {
    Drawn(DataFiles::kMeadow, "LAYOUT 1: MEADOW", 1, false, DrawMeadow),
    Drawn(DataFiles::kDusk, "LAYOUT 2: DUSK HILLS", 1, false, DrawDusk),
    Drawn(DataFiles::kNight, "LAYOUT 3: STARRY NIGHT", 1, false, DrawNight),
    Drawn(DataFiles::kMountains, "LAYOUT 4: MOUNTAINS", 1, false, DrawMountains),
    Drawn(DataFiles::kForest, "LAYOUT 5: FOREST", 1, false, DrawForest),
    Drawn(DataFiles::kDesert, "LAYOUT 6: DESERT", 1, false, DrawDesert),
    Drawn(DataFiles::kSnow, "LAYOUT 7: SNOW", 1, false, DrawSnow),
    Drawn(DataFiles::kCave, "LAYOUT 8: CAVE", 1, false, DrawCave),
    Drawn(DataFiles::kBlank, "ANY OTHER LAYOUT", 1, false, DrawBlank),
    Drawn(DataFiles::kTitle, "TITLE", 1, false, DrawTitle),
    Drawn(DataFiles::kLifeLost, "LIFE LOST", 1, false, DrawLifeLost),
    Drawn(DataFiles::kLevelDone, "LEVEL COMPLETE", 1, false, DrawLevelDone),
    Drawn(DataFiles::kGameOver, "GAME OVER", 1, false, DrawGameOver),
    Drawn(DataFiles::kPlayerStrip, "PLAYER: 0-2 WALK LEFT, 3-5 WALK RIGHT", kPlayerFrames, true, DrawPlayerStrip),
    Drawn(DataFiles::kTileStrip, "TILES: 0 GROUND (TOP HALF = PLATFORM), 1-6 VEGETATION, 7-9 SPARE", 7, true,
          DrawTilesStrip),
    Drawn(DataFiles::kCoin, "COIN IN THE TOP-LEFT 20X19", 1, true, DrawMoney),
    Drawn(DataFiles::kBeeStrip, "BEE: 0-1 FACING RIGHT, 2-3 FACING LEFT", kBeeFrames, true, DrawBeeStrip),
    Drawn(DataFiles::kFireStrip, "FIRE: 2-7 TALL (DEADLY), 0-1 AND 8-11 EMBERS", kFireFrames, true, DrawFireStrip),
    Drawn(DataFiles::kUfoStrip, "SAUCER: LIGHTS RUN ROUND THE RIM", kUfoFrames, true, DrawUfoStrip),
};
inline constexpr int kPictureCount = int(sizeof(kPictures) / sizeof(kPictures[0]));

constexpr bool SameName(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) ++a, ++b;
    return *a == *b;
}

// The generator draws exactly the files the game reads, in the shared list's order.
constexpr bool DrawsTheSharedList()
{
    if (kPictureCount != DataFiles::kPictureCount) return false;
    for (int i = 0; i < kPictureCount; ++i)
        if (!SameName(kPictures[i].name, DataFiles::kPictures[i]->name)) return false;
    return true;
}
static_assert(DrawsTheSharedList(), "one drawer for each picture file of the shared list, in its order");

constexpr bool FramesFit() {
    for (const PictureFile& p : kPictures)
        if (p.frameWidth > p.width || p.frameHeight * p.usedFrames > p.height) return false;
    return true;
}
static_assert(FramesFit(), "every used frame lies inside its picture");

inline constexpr SoundFile kSounds[] = {
    {DataFiles::kBeepSound, "REFUSED KEY", 0.1, SynthBeep},
    {DataFiles::kCoinSound, "COIN", 0.3, SynthDing},
    {DataFiles::kCrySound, "LIFE LOST", 0.8, SynthCry},
};
inline constexpr int kSoundCount = int(sizeof(kSounds) / sizeof(kSounds[0]));
static_assert(kSoundCount == 3, "three sound effects");

// Creates the folder (and its parents) and writes every file into it, and
// the game's icon (tools/artgen/Icon.h) in its three forms. On
// failure returns false with a message for the build log in *error.
bool WriteDataFolder(const std::string& folder, std::string* error);

}  // namespace artgen
