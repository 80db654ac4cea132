// The Data folder written once per test run by the generator's own code into
// a temporary folder, and small readers for its pictures and sounds.
#pragma once

#include <cstdint>
#include <string>

// Folder holding a freshly generated Data set (written on first use).
const std::string& GeneratedDataFolder();

// Bytes of one file as the generator makes it (drawn in memory, the same
// bytes it writes into the folder); empty for a name it does not make.
std::string GeneratedFile(const std::string& name);

struct Pixel {
    uint8_t r, g, b;
    bool IsBlack() const { return r == 0 && g == 0 && b == 0; }
    int Luma() const { return (299 * r + 587 * g + 114 * b) / 1000; }
};

// A headerless RGB picture of known width; reads outside it are black.
class RgbPicture {
public:
    RgbPicture(std::string bytes, int width);

    int Width() const { return width; }
    int Height() const { return height; }
    Pixel At(int x, int y) const;

    // Non-black pixels inside the rectangle.
    int CountOpaque(int x, int y, int w, int h) const;
    // First and last rows of the rectangle holding a non-black pixel, -1 when none.
    int TopOpaqueRow(int x, int y, int w, int h) const;
    int BottomOpaqueRow(int x, int y, int w, int h) const;
    bool SameRect(int ax, int ay, const RgbPicture& other, int bx, int by, int w, int h) const;

private:
    std::string bytes;
    int width;
    int height;
};

RgbPicture LoadGenerated(const std::string& name, int width);
