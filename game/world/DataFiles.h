// The picture and sound files of Data/: their names and sizes, shared by the
// game, which reads them, and the generator in tools/, which draws them. A
// file added, renamed or resized here changes both sides at once. Plain data,
// no X.
#pragma once

#include <cstdint>
#include <string>

namespace DataFiles {

// The game's frame: the form and every full-screen picture.
constexpr int32_t kFrameWidth = 800;   // pixels
constexpr int32_t kFrameHeight = 640;  // pixels

// A picture file of raw RGB pixels: frames of frameWidth x frameHeight
// stacked from the top, in a file of width x height.
struct Picture {
    const char* name;      // file name under Data/
    int32_t width;         // pixels of the file
    int32_t height;
    int32_t frameWidth;    // pixels of one frame
    int32_t frameHeight;
    int32_t frames;        // frames the file holds
};

constexpr Picture Screen(const char* name) { return {name, kFrameWidth, kFrameHeight, kFrameWidth, kFrameHeight, 1}; }
constexpr Picture Strip(const char* name, int32_t frameWidth, int32_t frameHeight, int32_t frames)
{
    return {name, frameWidth, frameHeight * frames, frameWidth, frameHeight, frames};
}

// Level backdrops, layout 1 to 8, and the one of any other layout.
constexpr Picture kMeadow = Screen("sfondopre1.bin");
constexpr Picture kDusk = Screen("sfondopre2.bin");
constexpr Picture kNight = Screen("sfondopre3.bin");
constexpr Picture kMountains = Screen("sfondo.bin");
constexpr Picture kForest = Screen("sfondo2.bin");
constexpr Picture kDesert = Screen("sfondo3.bin");
constexpr Picture kSnow = Screen("sfondo4.bin");
constexpr Picture kCave = Screen("sfondo5.bin");
constexpr Picture kBlank = Screen("blank.bin");

// The title and the three message screens.
constexpr Picture kTitle = Screen("logo.bin");
constexpr Picture kLifeLost = Screen("replay.bin");
constexpr Picture kLevelDone = Screen("livello.bin");
constexpr Picture kGameOver = Screen("gameover.bin");

// The sprite strips.
constexpr Picture kPlayerStrip = Strip("player.bin", 48, 64, 6);  // 0-2 walk left, 3-5 walk right
constexpr Picture kTileStrip = Strip("tiles.bin", 64, 64, 10);    // 0 ground, 1-6 vegetation, 7-9 spare
// The coin is a 20 x 19 frame in the top-left corner of a 24 x 24 file.
constexpr Picture kCoin = {"money.bin", 24, 24, 20, 19, 1};
constexpr Picture kBeeStrip = Strip("ape.bin", 40, 30, 4);        // 0-1 facing right, 2-3 facing left
constexpr Picture kFireStrip = Strip("fire.bin", 40, 30, 12);
constexpr Picture kUfoStrip = Strip("ufo.bin", 40, 40, 4);

// The window's icon; the generator also writes it as an XPM for the desktop entry.
constexpr Picture kIcon = Strip("icon.bin", 48, 48, 1);

constexpr int32_t kPlatformHeight = 32;  // pixels: a platform shows the top half of tile frame 0

// Every picture file, in the order the generator writes them.
constexpr const Picture* kPictures[] = {
    &kMeadow, &kDusk,     &kNight,     &kMountains, &kForest,      &kDesert,    &kSnow,
    &kCave,   &kBlank,    &kTitle,     &kLifeLost,  &kLevelDone,   &kGameOver,  &kPlayerStrip,
    &kTileStrip, &kCoin,  &kBeeStrip,  &kFireStrip, &kUfoStrip,
};
constexpr int kPictureCount = int(sizeof kPictures / sizeof kPictures[0]);

// Whether a picture is one of the list: the files the generator draws and the game reads.
constexpr bool IsShipped(const Picture& picture)
{
    for (const Picture* shipped : kPictures)
        if (shipped == &picture)
            return true;
    return false;
}

// The path the game opens, relative to its working folder.
inline std::string PathOf(const char* name) { return std::string("Data/") + name; }
inline std::string PathOf(const Picture& picture) { return PathOf(picture.name); }

// The sound effects.
constexpr const char* kBeepSound = "beep.wav";  // a refused key
constexpr const char* kCoinSound = "ding.wav";  // a coin taken
constexpr const char* kCrySound = "urlo.wav";   // a life lost

}  // namespace DataFiles
