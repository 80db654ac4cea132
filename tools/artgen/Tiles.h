// The tile strip, 64 x 640: frame 0 the ground (grass on earth, whose top
// half is also the floating platform), frames 1-6 vegetation standing on the
// bottom of the cell, frames 7-9 spare pieces of vegetation.
#pragma once

#include "game/world/DataFiles.h"
#include "tools/artgen/Canvas.h"

namespace artgen {

constexpr int kTileSize = DataFiles::kTileStrip.frameWidth;         // pixels
constexpr int kPlatformHeight = DataFiles::kPlatformHeight;         // pixels: the top half of frame 0
constexpr int kTileFrames = DataFiles::kTileStrip.frames;
static_assert(DataFiles::kTileStrip.frameHeight == kTileSize, "tiles are square");

Canvas DrawTileFrame(int frame);
Canvas DrawTilesStrip();

}  // namespace artgen
