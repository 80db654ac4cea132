// A tiny RGB raster with the shapes the art is drawn from. Every operation
// clips to the canvas, so drawers may place shapes partly outside it.
#pragma once

#include "tools/artgen/Color.h"

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

struct PointF {
    double x, y;
};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = kTransparent);

    int Width() const { return width; }
    int Height() const { return height; }

    // Black outside the canvas.
    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb c);
    // alpha 0..255 of c over the current pixel.
    void Blend(int x, int y, Rgb c, int alpha);

    void Fill(Rgb c);
    void FillRect(int x, int y, int w, int h, Rgb c);
    // Pixels whose centres lie inside the ellipse centred at (cx, cy).
    void FillEllipse(double cx, double cy, double rx, double ry, Rgb c);
    void FillCircle(double cx, double cy, double r, Rgb c) { FillEllipse(cx, cy, r, r, c); }
    // Even-odd fill of pixel centres inside the polygon.
    void FillPolygon(const std::vector<PointF>& points, Rgb c);
    // A line of square pen `thickness` pixels (Bresenham centre line).
    void Line(int x0, int y0, int x1, int y1, Rgb c, int thickness = 1);

    // Gives every transparent pixel that touches drawn content (4-neighbours)
    // the outline colour: the dark rim that makes pixel art read.
    void Outline(Rgb outline);

    // Gives every transparent pixel that cannot be reached from the border
    // through transparent pixels the colour c: closes pin-holes left between
    // parts of a solid sprite, through which the backdrop would show.
    void FillEnclosed(Rgb c);

    // Copies src with its top-left corner at (x, y); with transparent set,
    // black source pixels leave the canvas as it is.
    void Blit(const Canvas& src, int x, int y, bool transparent);

    Canvas Mirrored() const;
    Canvas Crop(int x, int y, int w, int h) const;
    // Box-filter reduction by an integer factor.
    Canvas Reduced(int factor) const;
    // Nearest-neighbour enlargement by an integer factor.
    Canvas Enlarged(int factor) const;

    // Packed R, G, B bytes, rows top-down, no padding: the .bin format.
    const std::vector<uint8_t>& Bytes() const { return pixels; }

private:
    int width;
    int height;
    std::vector<uint8_t> pixels;
};

// Writes a binary PPM (P6); false when the file cannot be written.
bool WritePpm(const std::string& path, const Canvas& canvas);

}  // namespace artgen
