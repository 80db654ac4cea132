// The one-pixel bevel of the toolkit's boxes: four solid lines on the edges of
// a width x height rectangle, the top and left edges in one colour and the
// right and bottom edges in the other (drawn last, so they own the corners
// they share with the first two).
#pragma once

#include <cstdint>

class DrawContext;

void DrawBevel(DrawContext& dc, int32_t x, int32_t y, int32_t width, int32_t height, int32_t topLeft,
               int32_t bottomRight);
