// SpriteDesc: what a kind of sprite is (its size, its frame range and its
// animation period), and the constant tables the game starts from. FormMain
// holds one mutable descriptor per kind: TurnLeft and TurnRight rewrite the
// frame range of their kind's descriptor. Needs no X.
#pragma once

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

constexpr int32_t kAreaWidth = 800;   // pixels
constexpr int32_t kAreaHeight = 640;  // pixels

// Index of each kind in the tables below and in FormMain's descriptors.
enum Kind { Player, Tiles, Money, Ape, Fire, Ufo, kCount };

// A descriptor before a game starts: the values of every kind until the G key.
constexpr SpriteDesc DefaultDesc(const char* kindName)
{
    return SpriteDesc{kAreaWidth, kAreaHeight, 64, 63, 0, 0, 60, kindName};
}

// The values a descriptor gets when a game starts.
constexpr SpriteDesc kGameDescs[kCount] = {
    {kAreaWidth, kAreaHeight, 48, 64, 0, 0, 150, "player"},
    {kAreaWidth, kAreaHeight, 64, 64, 0, 0, 60, "tiles"},  // platforms use half the height
    {kAreaWidth, kAreaHeight, 20, 19, 0, 0, 60, "money"},
    {kAreaWidth, kAreaHeight, 40, 30, 0, 0, 300, "ape"},
    {kAreaWidth, kAreaHeight, 40, 30, 0, 11, 330, "fire"},
    {kAreaWidth, kAreaHeight, 40, 40, 0, 3, 300, "ufo"},
};

// The picture strip of each kind: its frames stacked top to bottom, decoded
// at this size (pixels).
struct StripFile {
    const char* path;
    int32_t width;
    int32_t height;
};

constexpr StripFile kStrips[kCount] = {
    {"Data/player.bin", 48, 384},
    {"Data/tiles.bin", 64, 640},
    {"Data/money.bin", 24, 24},
    {"Data/ape.bin", 40, 120},
    {"Data/fire.bin", 40, 360},
    {"Data/ufo.bin", 40, 160},
};

static_assert(sizeof kGameDescs / sizeof kGameDescs[0] == kCount, "one descriptor per kind");
static_assert(sizeof kStrips / sizeof kStrips[0] == kCount, "one strip per kind");
static_assert(kStrips[Fire].height / kGameDescs[Fire].height == kGameDescs[Fire].lastFrame + 1,
              "the fire strip holds its twelve frames");
static_assert(kStrips[Player].height / kGameDescs[Player].height == 6, "the player strip holds six frames");

}  // namespace SpriteKinds
