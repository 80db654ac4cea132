// The moving sprites: frames stacked vertically in one strip per kind, every
// background pixel pure black (transparent), every drawn pixel not black.
#pragma once

#include "game/world/DataFiles.h"
#include "tools/artgen/Canvas.h"

namespace artgen {

// Frame sizes in pixels and frame counts of the strips, as the game reads them.
constexpr int kPlayerWidth = DataFiles::kPlayerStrip.frameWidth, kPlayerHeight = DataFiles::kPlayerStrip.frameHeight,
              kPlayerFrames = DataFiles::kPlayerStrip.frames;
constexpr int kCoinCell = DataFiles::kCoin.width, kCoinWidth = DataFiles::kCoin.frameWidth,
              kCoinHeight = DataFiles::kCoin.frameHeight;
constexpr int kBeeWidth = DataFiles::kBeeStrip.frameWidth, kBeeHeight = DataFiles::kBeeStrip.frameHeight,
              kBeeFrames = DataFiles::kBeeStrip.frames;
constexpr int kFireWidth = DataFiles::kFireStrip.frameWidth, kFireHeight = DataFiles::kFireStrip.frameHeight,
              kFireFrames = DataFiles::kFireStrip.frames;
constexpr int kUfoWidth = DataFiles::kUfoStrip.frameWidth, kUfoHeight = DataFiles::kUfoStrip.frameHeight,
              kUfoFrames = DataFiles::kUfoStrip.frames;
static_assert(DataFiles::kCoin.height == kCoinCell, "the coin file is square");

// One 48 x 64 player frame; phase 0..2 of the walk cycle.
Canvas DrawPlayerFrame(int phase, bool facingRight);
Canvas DrawPlayerStrip();  // 48 x 384: frames 0-2 walk left, 3-5 walk right
Canvas DrawMoney();        // 24 x 24: the coin in the top-left 20 x 19
Canvas DrawBeeFrame(bool wingsUp, bool facingRight);  // 40 x 30
Canvas DrawBeeStrip();     // 40 x 120: 0-1 facing right, 2-3 facing left
Canvas DrawFireFrame(int frame);  // 40 x 30; frame 0..11
Canvas DrawFireStrip();    // 40 x 360: frames 2-7 (from 0) tall, the rest embers
Canvas DrawUfoFrame(int frame);   // 40 x 40; frame 0..3
Canvas DrawUfoStrip();     // 40 x 160: the lights run round the rim

// Flame height in pixels above the logs of fire frame 0..11.
int FlameHeight(int frame);

}  // namespace artgen
