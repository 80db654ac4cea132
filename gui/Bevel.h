// The one-pixel bevel of the toolkit's boxes: four solid lines on the edges of
// a width x height rectangle, the top and left edges in one colour and the
// right and bottom edges in the other (drawn last, so they own the corners
// they share with the first two).
#pragma once

#include <cstdint>

class DrawContext;

void DrawBevel(DrawContext& dc, int32_t x, int32_t y, int32_t width, int32_t height, int32_t topLeft,
               int32_t bottomRight);

// The dashed focus frame of the check box, the option box and the slider:
// top, bottom, left and right edge between the given corners (included).
void DrawFocusFrame(DrawContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t colour);
