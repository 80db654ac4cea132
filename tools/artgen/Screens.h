// The title picture and the three message pictures, 800 x 640 each, with
// their captions in large block letters of the built-in pixel font.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/SceneryKit.h"

#include <string>
#include <vector>

namespace artgen {

// Where the game writes on the title picture; these stay dark and quiet.
// Each rectangle covers the text with a generous margin (pixels).
const std::vector<RectI>& TitleTextAreas();

Canvas DrawTitle();     // logo.bin: "BRUVO STAGE KRODEL"
Canvas DrawLifeLost();  // replay.bin: "OUCH! TRY AGAIN"
Canvas DrawLevelDone(); // livello.bin: "LEVEL COMPLETE!"
Canvas DrawGameOver();  // gameover.bin: "GAME OVER"

// Big bevelled block letters, centred on the screen, top at y: every font
// pixel a scale x scale brick shaded from `top` (first font row) to `bottom`
// (last row), with a dark rim and a drop shadow.
void BlockCaption(Canvas& canvas, const std::string& text, int y, int scale, Rgb top, Rgb bottom,
                  Rgb rim, Rgb shadow);

}  // namespace artgen
