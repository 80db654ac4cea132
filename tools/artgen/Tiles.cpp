#include "tools/artgen/Tiles.h"

#include "tools/artgen/Rng.h"

#include <cmath>

namespace artgen {

namespace {

constexpr Rgb kLeafInk = Hex(0x1a2212);  // outline of the vegetation

// Grass blade height (0..6) of column x; the blades are denser in clumps and
// leave the two top corners clear.
int BladeHeight(int x) {
    if (x <= 0 || x >= kTileSize - 1) return 3;
    const uint32_t h = Hash(x, 0, 11);
    const int clump = (x % 5 == 2) ? 6 : (x % 5 == 1 || x % 5 == 3) ? 4 : 2;
    return std::max(1, clump - int(h % 3));
}

// Depth (0..3) to which the turf hangs over the soil in column x.
int TurfDrip(int x) { return int(Hash(x, 1, 13) % 4) * ((x % 7) < 4 ? 1 : 0); }

Canvas Ground() {
    Canvas c(kTileSize, kTileSize);
    // Soil, darker with depth, dithered.
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x) {
            const Rgb base = y < kPlatformHeight ? Hex(0x8b5a34) : Hex(0x7e5030);
            const bool speck = (Hash(x, y, 17) % 9) == 0;
            c.Set(x, y, speck ? Hex(0x6e4628) : base);
        }
    // Stones, placed with wrap-around so neighbouring tiles join seamlessly.
    Rng rng(19);
    for (int i = 0; i < 9; ++i) {
        const int x = rng.Range(0, 63), y = rng.Range(17, 60);
        const double rx = rng.Range(3, 5), ry = rng.Range(2, 3);
        if (y >= kPlatformHeight - 6 && y <= kPlatformHeight + 2) continue;  // keep the rim clean
        for (int wrap : {-kTileSize, 0, kTileSize}) {
            c.FillEllipse(x + wrap, y, rx, ry, Hex(0x6a4226));
            c.FillEllipse(x + wrap - 0.5, y - 0.5, rx - 1, ry - 0.8, Hex(0xa27048));
            c.FillRect(x + wrap - int(rx) + 2, y - int(ry) + 1, 2, 1, Hex(0xbf9262));
        }
    }
    // The dark rim that ends the floating platform; in the ground it reads
    // as a layer of the soil.
    c.FillRect(0, kPlatformHeight - 4, kTileSize, 1, Hex(0x6a4426));
    c.FillRect(0, kPlatformHeight - 3, kTileSize, 3, Hex(0x55361f));
    for (int x = 0; x < kTileSize; x += 9) c.FillRect(x + int(Hash(x, 2, 5) % 4), kPlatformHeight - 3, 3, 1, Hex(0x7a5434));
    // Turf: solid grass with a lighter top and a ragged lower edge.
    for (int x = 0; x < kTileSize; ++x) {
        const int bottom = 12 + TurfDrip(x);
        for (int y = 6; y <= bottom; ++y) {
            Rgb g = Hex(0x58a83a);
            if (y <= 7) g = Hex(0x7ccc4e);
            else if (y == bottom) g = Hex(0x3f7e2c);
            else if (Hash(x, y, 23) % 7 == 0) g = Hex(0x4a9232);
            c.Set(x, y, g);
        }
        c.Set(x, bottom + 1, Hex(0x5e3c22));
    }
    // Blades above the turf: the feet of whoever stands here sink into them.
    for (int x = 0; x < kTileSize; ++x) {
        c.FillRect(x, 0, 1, 6, kTransparent);
        const int h = BladeHeight(x);
        for (int y = 6 - h; y < 6; ++y) c.Set(x, y, y == 6 - h ? Hex(0x9ae06a) : Hex(0x6cbf44));
    }
    return c;
}

// Vegetation stands on the bottom row of its cell: each drawer gets a clear
// canvas and is outlined afterwards.
void Bush(Canvas& c) {
    const Rgb dark = Hex(0x3a7a30), mid = Hex(0x4e9a3e), light = Hex(0x6cbf52);
    c.FillEllipse(32, 52, 26, 12, dark);
    c.FillCircle(20, 48, 12, mid);
    c.FillCircle(34, 42, 14, mid);
    c.FillCircle(46, 49, 11, mid);
    c.FillCircle(30, 38, 6, light);
    c.FillCircle(17, 44, 4, light);
    c.FillCircle(45, 44, 4, light);
    c.FillRect(8, 58, 48, 6, dark);
    for (const auto& b : {std::pair{24, 47}, {39, 52}, {33, 44}, {15, 53}})
        c.FillRect(b.first, b.second, 2, 2, Hex(0xd8404a));
}

void Flowers(Canvas& c) {
    const struct { int x, top; uint32_t petal; } stems[] = {
        {12, 40, 0xf2a0c0}, {22, 32, 0xf4e27a}, {32, 42, 0xf4f4ee}, {42, 30, 0xb4a0f0}, {52, 38, 0xf2a0c0}};
    for (const auto& s : stems) {
        c.Line(s.x, 63, s.x, s.top, Hex(0x4e9a3e), 2);
        c.FillEllipse(s.x - 3, s.top + 12, 3, 1.5, Hex(0x5eae48));
        c.FillEllipse(s.x + 4, s.top + 16, 3, 1.5, Hex(0x5eae48));
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * 3.14159265 / 5;
            c.FillCircle(s.x + 0.5 + 3.2 * std::cos(a), s.top + 0.5 + 3.2 * std::sin(a), 2.2, Hex(s.petal));
        }
        c.FillCircle(s.x + 0.5, s.top + 0.5, 1.6, Hex(0xf0a020));
    }
    c.FillEllipse(32, 62, 26, 2, Hex(0x4e9a3e));
}

void SmallTree(Canvas& c) {
    c.FillRect(28, 36, 8, 28, Hex(0x7a5232));
    c.FillRect(28, 36, 2, 28, Hex(0x9a7048));
    c.Line(32, 44, 22, 36, Hex(0x7a5232), 3);
    c.FillRect(24, 60, 16, 4, Hex(0x6a4428));
    const Rgb dark = Hex(0x3f8034), mid = Hex(0x55a044), light = Hex(0x78c25c);
    c.FillCircle(32, 24, 17, dark);
    c.FillCircle(22, 28, 11, dark);
    c.FillCircle(43, 28, 11, dark);
    c.FillCircle(30, 20, 13, mid);
    c.FillCircle(40, 25, 8, mid);
    c.FillCircle(26, 15, 6, light);
    c.FillCircle(37, 19, 4, light);
}

void Mushrooms(Canvas& c) {
    auto mushroom = [&c](double x, int cap, double r) {
        const int stem = int(r * 0.5);
        c.FillRect(int(x) - stem / 2, cap, std::max(stem, 3), 64 - cap, Hex(0xf0e2c4));
        c.FillRect(int(x) - stem / 2, cap, 1, 64 - cap, Hex(0xd4c2a0));
        for (int y = cap - int(r); y <= cap + 1; ++y)
            for (int xx = int(x - r); xx <= int(x + r); ++xx)
                if (std::hypot((xx + 0.5 - x) / r, (y + 0.5 - (cap + 1)) / (r * 0.8)) <= 1) c.Set(xx, y, Hex(0xd8443a));
        c.FillRect(int(x - r * 0.8), cap, int(r * 1.6), 2, Hex(0xa83028));
        c.FillCircle(x - r * 0.4, cap - r * 0.35, r * 0.16, Hex(0xfaf4ec));
        c.FillCircle(x + r * 0.3, cap - r * 0.5, r * 0.14, Hex(0xfaf4ec));
        c.FillCircle(x + r * 0.6, cap - r * 0.1, r * 0.12, Hex(0xfaf4ec));
    };
    mushroom(24, 46, 13);
    mushroom(45, 55, 8);
    mushroom(12, 58, 5);
}

void GrassTufts(Canvas& c) {
    Rng rng(31);
    for (int tuft = 0; tuft < 3; ++tuft) {
        const int cx = 12 + tuft * 20;
        for (int blade = -3; blade <= 3; ++blade) {
            const int h = rng.Range(10, 24) - std::abs(blade) * 2;
            const Rgb g = blade % 2 ? Hex(0x5eae48) : Hex(0x7ccc4e);
            c.Line(cx + blade, 63, cx + blade * 3 + rng.Range(-1, 1), 63 - h, g, 1);
            c.Line(cx + blade + 1, 63, cx + blade * 3 + 1, 63 - h + 3, g, 1);
        }
    }
}

void Rocks(Canvas& c) {
    auto rock = [&c](double x, double rx, double ry) {
        c.FillEllipse(x, 64 - ry * 0.8, rx, ry, Hex(0x7a7c86));
        c.FillEllipse(x - rx * 0.15, 64 - ry * 1.0, rx * 0.75, ry * 0.7, Hex(0x9a9ca6));
        c.FillEllipse(x - rx * 0.35, 64 - ry * 1.3, rx * 0.3, ry * 0.25, Hex(0xc4c6ce));
        c.FillRect(int(x - rx * 0.6), int(64 - ry * 1.55), int(rx * 0.5), 2, Hex(0x6cae4a));  // moss
    };
    rock(22, 15, 11);
    rock(44, 10, 7);
    rock(9, 6, 4);
}

void Stump(Canvas& c) {
    c.FillRect(18, 46, 28, 18, Hex(0x7a5232));
    c.FillEllipse(32, 46, 14, 4, Hex(0xc49a66));
    c.FillEllipse(32, 46, 9, 2.5, Hex(0xa87c4e));
    c.FillRect(22, 50, 2, 12, Hex(0x5e3c22));
    c.FillRect(36, 52, 2, 10, Hex(0x5e3c22));
    c.FillPolygon({{14, 64}, {20, 56}, {22, 64}}, Hex(0x7a5232));
    c.FillPolygon({{42, 64}, {44, 56}, {50, 64}}, Hex(0x7a5232));
}

void Reeds(Canvas& c) {
    for (int i = 0; i < 6; ++i) {
        const int x = 10 + i * 9, top = 20 + int(Hash(i, 3, 41) % 18);
        c.Line(x, 63, x + (i % 2 ? 2 : -2), top, Hex(0x6a9a3e), 2);
        if (i % 2 == 0) c.FillRect(x - 3, top - 8, 4, 10, Hex(0x8a5a30));
    }
}

void Signpost(Canvas& c) {
    c.FillRect(29, 30, 6, 34, Hex(0x8a6038));
    c.FillPolygon({{12, 22}, {46, 22}, {54, 30}, {46, 38}, {12, 38}}, Hex(0xb88450));
    c.FillRect(16, 27, 24, 2, Hex(0x7a5232));
    c.FillRect(16, 32, 18, 2, Hex(0x7a5232));
}

}  // namespace

Canvas DrawTileFrame(int frame) {
    if (frame == 0) return Ground();
    Canvas c(kTileSize, kTileSize);
    switch (frame) {
    case 1: Bush(c); break;
    case 2: Flowers(c); break;
    case 3: SmallTree(c); break;
    case 4: Mushrooms(c); break;
    case 5: GrassTufts(c); break;
    case 6: Rocks(c); break;
    case 7: Stump(c); break;
    case 8: Reeds(c); break;
    case 9: Signpost(c); break;
    default: return c;
    }
    c.Outline(kLeafInk);
    return c;
}

Canvas DrawTilesStrip() {
    Canvas strip(kTileSize, kTileSize * kTileFrames);
    for (int i = 0; i < kTileFrames; ++i) strip.Blit(DrawTileFrame(i), 0, i * kTileSize, false);
    return strip;
}

}  // namespace artgen
