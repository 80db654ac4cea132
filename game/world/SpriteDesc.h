// SpriteDesc: what a kind of sprite is (its size, its first frame range and
// its animation period), and the constant tables the game starts from. The
// playfield holds one descriptor per kind; each sprite takes its frame range
// from it when made and keeps its own from then on. Needs no X.
#pragma once

#include "game/world/DataFiles.h"

#include <cstdint>
#include <cstring>

struct SpriteDesc {
    int32_t areaWidth;   // pixels: the playing area, the form's size
    int32_t areaHeight;  // pixels
    int32_t width;       // pixels
    int32_t height;      // pixels
    int32_t firstFrame;  // counted from 0; -1 with lastFrame -1: no animation
    int32_t lastFrame;
    int32_t period;      // ms between frame steps
    const char* kindName;

    bool IsKind(const char* name) const { return kindName && std::strcmp(kindName, name) == 0; }
};

namespace SpriteKinds {

constexpr int32_t kAreaWidth = DataFiles::kFrameWidth;    // pixels
constexpr int32_t kAreaHeight = DataFiles::kFrameHeight;  // pixels

// Index of each kind in the tables below, the playfield's descriptors and the form's strips.
enum Kind { Player, Tiles, Money, Ape, Fire, Ufo, kCount };

// A descriptor before a game starts: the values of every kind until the G key.
constexpr SpriteDesc DefaultDesc(const char* kindName)
{
    return SpriteDesc{kAreaWidth, kAreaHeight, 64, 63, 0, 0, 60, kindName};
}

// The values a descriptor gets when a game starts.
// A kind drawn at its picture file's frame size.
constexpr SpriteDesc GameDesc(const DataFiles::Picture& file, int32_t lastFrame, int32_t period, const char* kindName)
{
    return SpriteDesc{kAreaWidth, kAreaHeight, file.frameWidth, file.frameHeight, 0, lastFrame, period, kindName};
}

constexpr SpriteDesc kGameDescs[kCount] = {
    GameDesc(DataFiles::kPlayerStrip, 0, 150, "player"),
    GameDesc(DataFiles::kTileStrip, 0, 60, "tiles"),  // platforms use half the height
    GameDesc(DataFiles::kCoin, 0, 60, "money"),
    GameDesc(DataFiles::kBeeStrip, 0, 300, "ape"),
    GameDesc(DataFiles::kFireStrip, DataFiles::kFireStrip.frames - 1, 330, "fire"),  // burns through every frame
    GameDesc(DataFiles::kUfoStrip, DataFiles::kUfoStrip.frames - 1, 300, "ufo"),     // lights run round the rim
};

// The picture strip of each kind, decoded at its file's size.
constexpr const DataFiles::Picture* kStrips[kCount] = {
    &DataFiles::kPlayerStrip, &DataFiles::kTileStrip, &DataFiles::kCoin,
    &DataFiles::kBeeStrip,    &DataFiles::kFireStrip, &DataFiles::kUfoStrip,
};

static_assert(sizeof kGameDescs / sizeof kGameDescs[0] == kCount, "one descriptor per kind");
static_assert(sizeof kStrips / sizeof kStrips[0] == kCount, "one strip per kind");

// Frame ranges of the strips (counted from 0), as the walking and flying animations show them.
struct FrameRange {
    int32_t first;
    int32_t last;
};
constexpr FrameRange kPlayerWalkingLeft = {0, 2};
constexpr FrameRange kPlayerWalkingRight = {3, 5};
constexpr FrameRange kBeeFacingRight = {0, 1};
constexpr FrameRange kBeeFacingLeft = {2, 3};
static_assert(kPlayerWalkingRight.last < DataFiles::kPlayerStrip.frames && kBeeFacingLeft.last < DataFiles::kBeeStrip.frames,
              "the ranges lie inside their strips");

static_assert(kGameDescs[Player].width == 48 && kGameDescs[Player].height == 64 && kGameDescs[Money].width == 20 &&
                  kGameDescs[Money].height == 19 && kGameDescs[Ape].height == 30 && kGameDescs[Fire].lastFrame == 11 &&
                  kGameDescs[Ufo].lastFrame == 3,
              "the sprite sizes and frame ranges the game's rules are made for");

}  // namespace SpriteKinds
