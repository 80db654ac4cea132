// Shared pieces of the full-screen scenes: dithered sky gradients, ridge
// lines for far and near layers, stars, clouds, trees, and the finishing
// passes that keep every scene muted behind the sprites.
#pragma once

#include "game/world/DataFiles.h"
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Rng.h"

#include <vector>

namespace artgen {

constexpr int kScreenWidth = DataFiles::kFrameWidth;    // pixels, the game form
constexpr int kScreenHeight = DataFiles::kFrameHeight;  // pixels
constexpr int kStatusBand = 44;     // pixels at the top kept free of detail
constexpr int kGroundTop = kScreenHeight - DataFiles::kTileStrip.frameHeight;  // pixels, top of the ground tile row

// 0..15, the 4 x 4 ordered-dither threshold of a pixel.
int Bayer(int x, int y);

// Vertical gradient through evenly spaced stops over rows y0..y1-1, quantised
// to `bands` flat steps with ordered dithering between neighbouring steps;
// the rows below y1 keep the last stop, so no layer can leave a gap.
void DitheredGradient(Canvas& canvas, int y0, int y1, const std::vector<Rgb>& stops, int bands);

// A horizon line: y for every column, base + smooth value noise of the given
// amplitude (pixels) and feature period (pixels), with octaves of detail.
std::vector<double> Ridge(Rng& rng, int width, double base, double amplitude, double period,
                          int octaves);

// Fills every column from the ridge down to `bottom` (exclusive), with a rim
// of `rimRows` lighter rows along the top edge.
void FillBelowRidge(Canvas& canvas, const std::vector<double>& ridge, Rgb body, Rgb rim,
                    int rimRows, int bottom);

// Single-pixel stars with a few brighter cross-shaped ones, between rows
// top and bottom; never inside the given keep-out rectangles.
struct RectI {
    int x, y, w, h;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};
void Stars(Canvas& canvas, Rng& rng, int count, int top, int bottom,
           const std::vector<RectI>& keepOut = {});

// A puffy pixel cloud centred on (cx, cy) about `width` pixels wide.
void Cloud(Canvas& canvas, Rng& rng, int cx, int cy, int width, Rgb light, Rgb shade);

// A pine silhouette standing on baseY; snow, when not black, caps its tiers.
void PineTree(Canvas& canvas, int x, int baseY, int height, Rgb body, Rgb snow);

// A round-crowned tree standing on baseY.
void RoundTree(Canvas& canvas, Rng& rng, int x, int baseY, int height, Rgb trunk, Rgb crown,
               Rgb light);

// Blends the whole picture toward `haze` by amount (0..1) and pulls colours
// toward their grey by desaturate (0..1): the backdrop stays behind sprites.
void Mute(Canvas& canvas, Rgb haze, double amount, double desaturate);

// Darkens the rows below the ground line, which show only through holes in
// the ground row, so a hole reads as a drop.
void PitShadow(Canvas& canvas);

}  // namespace artgen
