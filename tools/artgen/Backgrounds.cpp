#include "tools/artgen/Backgrounds.h"

#include "tools/artgen/SceneryKit.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

Canvas Screen() { return Canvas(kScreenWidth, kScreenHeight); }

// Common finish of every level scene.
void Finish(Canvas& c, Rgb haze, double amount) {
    Mute(c, haze, amount, 0.18);
    PitShadow(c);
}

// Small flowers or pebbles dotted over a layer, only below its ridge.
void Speckle(Canvas& c, Rng& rng, const std::vector<double>& ridge, int count, int bottom,
             const std::vector<Rgb>& colours) {
    for (int i = 0; i < count; ++i) {
        const int x = rng.Range(0, c.Width() - 1);
        const int top = int(ridge[size_t(x)]) + 4;
        if (top >= bottom) continue;
        const int y = rng.Range(top, bottom - 1);
        const Rgb col = colours[size_t(rng.Range(0, int(colours.size()) - 1))];
        c.Set(x, y, col);
        if (rng.Chance(40)) c.Set(x + 1, y, col);
    }
}

}  // namespace

Canvas DrawMeadow() {
    Canvas c = Screen();
    Rng rng(101);
    DitheredGradient(c, 0, 430, {Hex(0x5f93cf), Hex(0x86b4e0), Hex(0xcfe5f1)}, 14);
    c.FillCircle(650, 120, 34, Hex(0xfff3c4));
    c.FillCircle(650, 120, 28, Hex(0xfffbe6));
    for (int i = 0; i < 6; ++i)
        Cloud(c, rng, 70 + i * 140 + rng.Range(-30, 30), rng.Range(90, 230), rng.Range(90, 150),
              Hex(0xf7fbff), Hex(0xc9dbea));
    const auto far = Ridge(rng, c.Width(), 370, 38, 180, 3);
    FillBelowRidge(c, far, Hex(0x8fb9b0), Hex(0xa4cbc0), 2, kScreenHeight);
    const auto mid = Ridge(rng, c.Width(), 430, 32, 140, 3);
    FillBelowRidge(c, mid, Hex(0x7cae68), Hex(0x95c47c), 2, kScreenHeight);
    for (int i = 0; i < 14; ++i) {
        const int x = rng.Range(10, 790);
        RoundTree(c, rng, x, int(mid[size_t(x)]) + 6, rng.Range(26, 40), Hex(0x6b5238),
                  Hex(0x5f944e), Hex(0x7bb062));
    }
    const auto near = Ridge(rng, c.Width(), 495, 16, 200, 2);
    FillBelowRidge(c, near, Hex(0x679c4f), Hex(0x80b862), 3, kScreenHeight);
    Speckle(c, rng, near, 700, 590, {Hex(0xf2e6a0), Hex(0xe9a0b8), Hex(0xf4f4f0), Hex(0x9fc9e8)});
    Finish(c, Hex(0xdfeef0), 0.16);
    return c;
}

Canvas DrawDusk() {
    Canvas c = Screen();
    Rng rng(202);
    DitheredGradient(c, 0, 440,
                     {Hex(0x2b1d48), Hex(0x5b2e5f), Hex(0xa5465f), Hex(0xe27f58), Hex(0xf3c27a)}, 18);
    // A low sun cut by horizontal gaps, the classic dusk sun of pixel art.
    for (int y = 300; y < 440; ++y) {
        const int gap = (y - 300) / 12;
        if (y > 360 && (y % 12) < std::min(gap, 6)) continue;
        for (int x = 170; x < 350; ++x) {
            const double dx = x + 0.5 - 260, dy = y + 0.5 - 400;
            if (dx * dx + dy * dy <= 92 * 92) c.Set(x, y, Mix(Hex(0xfff0a8), Hex(0xf7a55e), (y - 308) / 130.0));
        }
    }
    for (int i = 0; i < 5; ++i) {
        const int bx = rng.Range(420, 720), by = rng.Range(120, 230);
        c.Line(bx - 5, by - 3, bx, by, Hex(0x3a2240));
        c.Line(bx, by, bx + 5, by - 3, Hex(0x3a2240));
    }
    const Rgb layers[] = {Hex(0xb25f77), Hex(0x834068), Hex(0x5a2c55), Hex(0x3a1e40)};
    const double bases[] = {390, 430, 470, 510};
    for (int i = 0; i < 4; ++i) {
        const auto ridge = Ridge(rng, c.Width(), bases[i], 40 - i * 6, 220 - i * 30, 3);
        FillBelowRidge(c, ridge, layers[i], Shade(layers[i], 1.18), 2, kScreenHeight);
    }
    Finish(c, Hex(0x7a4a6a), 0.12);
    return c;
}

Canvas DrawNight() {
    Canvas c = Screen();
    Rng rng(303);
    DitheredGradient(c, 0, 470, {Hex(0x080c22), Hex(0x15214a), Hex(0x2a3b6c)}, 14);
    Stars(c, rng, 420, kStatusBand, 420);
    // Moon with a dithered halo and a few darker craters.
    for (int y = 60; y < 200; ++y)
        for (int x = 550; x < 690; ++x) {
            const double d = std::hypot(x + 0.5 - 620, y + 0.5 - 130);
            if (d < 62 && d > 38 && Bayer(x, y) < int(16 * (62 - d) / 48)) c.Blend(x, y, Hex(0x6a78a8), 90);
        }
    c.FillCircle(620, 130, 38, Hex(0xe8e4c8));
    c.FillCircle(604, 118, 8, Hex(0xcfcab0));
    c.FillCircle(634, 146, 10, Hex(0xcfcab0));
    c.FillCircle(630, 112, 5, Hex(0xd8d3b8));
    const auto far = Ridge(rng, c.Width(), 420, 36, 200, 3);
    FillBelowRidge(c, far, Hex(0x1f2c52), Hex(0x2b3b66), 2, kScreenHeight);
    const auto mid = Ridge(rng, c.Width(), 465, 22, 160, 2);
    FillBelowRidge(c, mid, Hex(0x172243), Hex(0x222f58), 2, kScreenHeight);
    // A little village on the middle hill, its windows lit.
    for (int i = 0; i < 7; ++i) {
        const int x = 90 + i * 100 + rng.Range(-20, 20);
        const int base = int(mid[size_t(x)]) + 4;
        const int w = rng.Range(18, 28), h = rng.Range(14, 22);
        c.FillRect(x, base - h, w, h, Hex(0x111a36));
        c.FillPolygon({{x - 3.0, double(base - h)}, {x + w / 2.0, base - h - 11.0}, {x + w + 3.0, double(base - h)}},
                      Hex(0x1a1430));
        c.FillRect(x + 4, base - h + 4, 4, 4, Hex(0xf0c060));
        if (w > 22) c.FillRect(x + w - 8, base - h + 4, 4, 4, Hex(0xd8a050));
    }
    const auto near = Ridge(rng, c.Width(), 520, 12, 220, 2);
    FillBelowRidge(c, near, Hex(0x10182e), Hex(0x1a2644), 2, kScreenHeight);
    Speckle(c, rng, near, 90, 590, {Hex(0xa8d860), Hex(0xe8f080)});  // fireflies
    Finish(c, Hex(0x1a2040), 0.08);
    return c;
}

Canvas DrawMountains() {
    Canvas c = Screen();
    Rng rng(404);
    DitheredGradient(c, 0, 400, {Hex(0x6f9bd6), Hex(0x9cbde4), Hex(0xdbe8f2)}, 14);
    for (int i = 0; i < 3; ++i)
        Cloud(c, rng, 140 + i * 260, rng.Range(80, 140), rng.Range(80, 120), Hex(0xf2f6fb), Hex(0xcad8e8));
    // Two ranges of peaks of random height and spacing; snow runs down from
    // each summit, deeper on the higher ones.
    struct PeakRange {
        double base, lowest, highest;
        int minGap, maxGap;
        Rgb rock, snow;
    };
    const PeakRange ranges[] = {{330, 90, 170, 90, 150, Hex(0x8c9cc2), Hex(0xeef3fa)},
                             {410, 50, 110, 70, 120, Hex(0x667a9e), Hex(0xdfe8f3)}};
    for (const PeakRange& r : ranges) {
        std::vector<PointF> knots;
        for (int x = -rng.Range(20, 80); x < c.Width() + 160; x += rng.Range(r.minGap, r.maxGap)) {
            knots.push_back({double(x), r.base - rng.Real(r.lowest, r.highest)});
            knots.push_back({x + rng.Real(0.4, 0.6) * r.minGap, r.base - rng.Real(0, r.lowest * 0.5)});
        }
        std::vector<double> ridge(static_cast<size_t>(c.Width()), r.base);
        for (size_t k = 0; k + 1 < knots.size(); ++k)
            for (int x = std::max(0, int(knots[k].x)); x < std::min(c.Width(), int(knots[k + 1].x)); ++x)
                ridge[size_t(x)] = knots[k].y + (knots[k + 1].y - knots[k].y) * (x - knots[k].x) / (knots[k + 1].x - knots[k].x);
        const auto rough = Ridge(rng, c.Width(), 0, 5, 16, 2);
        for (int x = 0; x < c.Width(); ++x) ridge[size_t(x)] += rough[size_t(x)];
        FillBelowRidge(c, ridge, r.rock, Shade(r.rock, 1.1), 2, kScreenHeight);
        const double snowline = r.base - r.lowest * 0.9;
        for (int x = 0; x < c.Width(); ++x) {
            const int top = int(ridge[size_t(x)]);
            if (top > snowline) continue;
            const int depth = int((snowline - top) * 0.6) + (Hash(x, 0, 4) & 3);
            for (int y = top; y < top + depth; ++y) c.Set(x, y, r.snow);
        }
        // The shaded flank right of each summit, a lens that thins out at
        // the summit and at the valley.
        for (size_t k = 0; k + 1 < knots.size(); k += 2) {
            const PointF summit = knots[k], valley = knots[k + 1];
            for (int x = std::max(0, int(summit.x) + 1); x < std::min(c.Width(), int(valley.x)); ++x) {
                const double t = (x - summit.x) / (valley.x - summit.x);
                const int depth = int((valley.y - summit.y) * 3.2 * t * (1 - t));
                for (int y = int(ridge[size_t(x)]); y < int(ridge[size_t(x)]) + depth; ++y)
                    if (Bayer(x, y) < 10) c.Set(x, y, Shade(c.Get(x, y), 0.9));
            }
        }
    }
    // Pines first, then the forest floor over their feet.
    const auto forest = Ridge(rng, c.Width(), 480, 10, 150, 2);
    for (int x = 4; x < c.Width(); x += rng.Range(9, 16))
        PineTree(c, x, int(forest[size_t(x)]) + 10, rng.Range(34, 56), Hex(0x35564d), kTransparent);
    FillBelowRidge(c, forest, Hex(0x3f6157), Hex(0x4b6e62), 1, kScreenHeight);
    const auto meadow = Ridge(rng, c.Width(), 520, 8, 200, 2);
    FillBelowRidge(c, meadow, Hex(0x6f9060), Hex(0x86a874), 2, kScreenHeight);
    Speckle(c, rng, meadow, 500, 590, {Hex(0x8fae7c), Hex(0x5e7e52), Hex(0xe8e0b0)});
    Finish(c, Hex(0xd8e4f0), 0.14);
    return c;
}

Canvas DrawForest() {
    Canvas c = Screen();
    Rng rng(505);
    DitheredGradient(c, 0, 560, {Hex(0x2f4a36), Hex(0x6f9a78), Hex(0xbcd8b4), Hex(0xdfecc8)}, 16);
    // Three depths of trunks, each darker and wider, under a calm canopy.
    const Rgb trunks[] = {Hex(0x9bb89c), Hex(0x6f8f6c), Hex(0x4a6448)};
    const Rgb leaves[] = {Hex(0x86a98a), Hex(0x557d57), Hex(0x3c5e3e)};
    for (int layer = 0; layer < 3; ++layer) {
        const int count = 11 - layer * 3;
        for (int i = 0; i < count; ++i) {
            const int x = int((i + rng.Real(0.1, 0.9)) * c.Width() / count);
            const int w = 8 + layer * 8 + rng.Range(0, 6);
            c.FillRect(x - w / 2, kStatusBand, w, 600, trunks[layer]);
            c.FillRect(x - w / 2, kStatusBand, 2, 600, Shade(trunks[layer], 1.12));
            for (int k = 0; k < 4 + layer; ++k)
                c.FillEllipse(x + rng.Range(-60, 60), kStatusBand + rng.Range(0, 70 + layer * 20),
                              rng.Range(30, 60), rng.Range(16, 30), leaves[layer]);
        }
    }
    // Light falling through the leaves.
    for (int ray = 0; ray < 4; ++ray) {
        const int x0 = 120 + ray * 190;
        for (int y = kStatusBand; y < 560; ++y)
            for (int dx = 0; dx < 26; ++dx)
                if (Bayer(x0 + dx + (y - kStatusBand) / 3, y) < 3) c.Blend(x0 + dx + (y - kStatusBand) / 3, y, Hex(0xf4f8d0), 90);
    }
    c.FillRect(0, 0, c.Width(), kStatusBand, Hex(0x2a4030));
    const auto canopyEdge = Ridge(rng, c.Width(), kStatusBand + 6, 6, 40, 2);
    for (int x = 0; x < c.Width(); ++x)
        for (int y = kStatusBand; y < int(canopyEdge[size_t(x)]); ++y) c.Set(x, y, Hex(0x2a4030));
    const auto floor = Ridge(rng, c.Width(), 520, 10, 120, 2);
    FillBelowRidge(c, floor, Hex(0x4d6a3c), Hex(0x5e7e48), 2, kScreenHeight);
    for (int i = 0; i < 16; ++i) {  // ferns along the floor
        const int x = rng.Range(0, 799), base = int(floor[size_t(x)]) + 6;
        for (int leaf = -3; leaf <= 3; ++leaf) c.Line(x, base, x + leaf * 5, base - 14 + std::abs(leaf) * 2, Hex(0x3f5f34), 2);
    }
    Speckle(c, rng, floor, 260, 590, {Hex(0x7a6a48), Hex(0x8a9a50)});
    Finish(c, Hex(0xc8dcc0), 0.14);
    return c;
}

Canvas DrawDesert() {
    Canvas c = Screen();
    Rng rng(606);
    DitheredGradient(c, 0, 420, {Hex(0x5d9ccc), Hex(0xa8c8d8), Hex(0xf3dcae)}, 14);
    c.FillCircle(180, 130, 40, Hex(0xfff6d8));
    // Mesas: flat tops, steep sides, striped rock.
    for (int m = 0; m < 4; ++m) {
        const int x = 40 + m * 210 + rng.Range(-20, 20), w = rng.Range(90, 150), top = rng.Range(300, 350);
        // The foot lies below the dunes' lowest dip, so no mesa floats.
        c.FillPolygon({{x - 26.0, 470.0}, {double(x), double(top)}, {double(x + w), double(top)}, {x + w + 30.0, 470.0}},
                      Hex(0xc98a62));
        for (int y = top + 10; y < 470; y += 14)
            for (int xx = x - 24; xx < x + w + 24; ++xx)
                for (int yy = y; yy < y + 3; ++yy)
                    if (c.Get(xx, yy) == Hex(0xc98a62)) c.Set(xx, yy, Hex(0xb67652));
        c.FillRect(x, top, w, 3, Hex(0xdca27a));
    }
    const auto farDunes = Ridge(rng, c.Width(), 420, 18, 200, 2);
    FillBelowRidge(c, farDunes, Hex(0xe6bc82), Hex(0xf0cd98), 2, kScreenHeight);
    const auto midDunes = Ridge(rng, c.Width(), 470, 22, 170, 2);
    FillBelowRidge(c, midDunes, Hex(0xdaa56a), Hex(0xe8b97e), 2, kScreenHeight);
    for (int i = 0; i < 6; ++i) {  // saguaro cacti
        const int x = 40 + i * 135 + rng.Range(-25, 25), base = int(midDunes[size_t(x)]) + 6;
        const int h = rng.Range(34, 56);
        const Rgb green = Hex(0x6d8f52);
        c.FillRect(x - 3, base - h, 7, h, green);
        c.FillRect(x - 13, base - h * 2 / 3, 4, h / 3, green);
        c.FillRect(x - 13, base - h / 3 - 2, 12, 4, green);
        c.FillRect(x + 9, base - h * 3 / 4, 4, h / 3, green);
        c.FillRect(x + 3, base - h / 2 - 2, 10, 4, green);
        c.FillRect(x - 2, base - h, 2, h, Hex(0x86a866));
    }
    const auto nearDunes = Ridge(rng, c.Width(), 525, 10, 240, 2);
    FillBelowRidge(c, nearDunes, Hex(0xcb955a), Hex(0xd9a86c), 3, kScreenHeight);
    Speckle(c, rng, nearDunes, 260, 590, {Hex(0xb07e4a), Hex(0xe8c08a)});
    Finish(c, Hex(0xf4e0c0), 0.15);
    return c;
}

Canvas DrawSnow() {
    Canvas c = Screen();
    Rng rng(707);
    DitheredGradient(c, 0, 440, {Hex(0x7d93b0), Hex(0xa9bccf), Hex(0xdbe4ec)}, 14);
    c.FillCircle(560, 150, 30, Hex(0xe8edf0));
    const auto far = Ridge(rng, c.Width(), 380, 44, 210, 3);
    FillBelowRidge(c, far, Hex(0xc5d3e2), Hex(0xdde7f0), 2, kScreenHeight);
    const auto mid = Ridge(rng, c.Width(), 450, 26, 160, 2);
    FillBelowRidge(c, mid, Hex(0xdfe8f1), Hex(0xf1f6fa), 2, kScreenHeight);
    for (int x = 10; x < c.Width(); x += rng.Range(30, 70))
        PineTree(c, x, int(mid[size_t(x)]) + 10, rng.Range(40, 70), Hex(0x41625f), Hex(0xe9f0f6));
    const auto near = Ridge(rng, c.Width(), 515, 10, 220, 2);
    FillBelowRidge(c, near, Hex(0xe9f0f6), Hex(0xfafcff), 2, kScreenHeight);
    for (int x = 0; x < c.Width(); ++x)  // blue shade under the drift crests
        for (int y = int(near[size_t(x)]) + 3; y < int(near[size_t(x)]) + 9; ++y)
            if (Bayer(x, y) < 8) c.Set(x, y, Hex(0xc9d8e8));
    for (int i = 0; i < 520; ++i) {  // falling snow
        const int x = rng.Range(0, 799), y = rng.Range(kStatusBand + 4, 570);
        c.Set(x, y, Hex(0xfbfdff));
        if (rng.Chance(30)) c.FillRect(x, y, 2, 2, Hex(0xf2f6fa));
    }
    Finish(c, Hex(0xe4ecf2), 0.12);
    return c;
}

Canvas DrawCave() {
    Canvas c = Screen();
    Rng rng(808);
    DitheredGradient(c, 0, kScreenHeight, {Hex(0x1e1728), Hex(0x342a44), Hex(0x463a58), Hex(0x352b44)}, 16);
    // Far off, the cave opens into a blue-lit hall.
    for (int y = 120; y < 520; ++y)
        for (int x = 380; x < 760; ++x) {
            const double d = std::hypot((x - 570) / 170.0, (y - 330) / 190.0);
            if (d < 1 && Bayer(x, y) < int(16 * (1 - d) * 1.4)) c.Blend(x, y, Hex(0x6a86a8), 110);
        }
    // Blocky rock texture on the back wall.
    for (int i = 0; i < 900; ++i) {
        const int x = rng.Range(0, 799), y = rng.Range(kStatusBand, 600);
        c.FillRect(x, y, rng.Range(4, 14), rng.Range(2, 6), Shade(c.Get(x, y), rng.Real(0.85, 1.12)));
    }
    // Rock pillars from ceiling to floor frame the hall.
    for (int p = 0; p < 4; ++p) {
        const int centre = 60 + p * 230 + rng.Range(-30, 30), half = rng.Range(26, 44);
        const auto wobble = Ridge(rng, kScreenHeight, 0, 10, 60, 2);
        for (int y = kStatusBand; y < kScreenHeight; ++y) {
            const int w = half + int(wobble[size_t(y)]) + (y > 420 ? (y - 420) / 4 : 0);
            const int left = centre - w + int(wobble[size_t(kScreenHeight - 1 - y)] * 0.5);
            c.FillRect(left, y, 2 * w, 1, Hex(0x2a2236));
            c.FillRect(left, y, 3, 1, Hex(0x4a3e5c));
        }
    }
    // Glowing crystals grow on the ledges, each with a dithered halo.
    const Rgb crystal[] = {Hex(0x7fd8e0), Hex(0xb79ae8), Hex(0x8ae0b0)};
    auto cluster = [&](int x, int y, Rgb col) {
        for (int yy = y - 34; yy < y + 34; ++yy)
            for (int xx = x - 34; xx < x + 34; ++xx) {
                const double d = std::hypot(xx - x, yy - y);
                if (d < 34 && Bayer(xx, yy) < int(9 * (34 - d) / 34)) c.Blend(xx, yy, col, 80);
            }
        for (int k = 0; k < 4; ++k) {
            const double cx = x + (k - 1.5) * 8, h = rng.Range(16, 34) - (k == 0 || k == 3 ? 8 : 0);
            c.FillPolygon({{cx - 4.5, double(y)}, {cx, y - h}, {cx + 4.5, double(y)}}, col);
            c.FillPolygon({{cx - 1, double(y - 1)}, {cx, y + 3 - h}, {cx + 0.5, double(y - 1)}}, Mix(col, Hex(0xffffff), 0.55));
        }
    };
    // Ceiling: a solid band, then stalactites hanging from it.
    c.FillRect(0, 0, c.Width(), kStatusBand, Hex(0x1c1622));
    const auto ceiling = Ridge(rng, c.Width(), kStatusBand + 14, 10, 60, 2);
    for (int x = 0; x < c.Width(); ++x)
        for (int y = kStatusBand; y < int(ceiling[size_t(x)]); ++y) c.Set(x, y, Hex(0x1c1622));
    for (int x = 10; x < c.Width(); x += rng.Range(24, 60)) {
        const double top = ceiling[size_t(x)] - 2, len = rng.Range(30, 110), w = rng.Range(6, 14);
        c.FillPolygon({{x - w, top}, {x + w, top}, {double(x), top + len}}, Hex(0x2e2538));
        c.FillPolygon({{x - w, top}, {x - w + 3, top}, {double(x), top + len}}, Hex(0x4a3e5c));
        if (rng.Chance(40)) c.FillRect(x, int(top + len) + 6, 1, 2, Hex(0x8ab8d8));  // a falling drop
    }
    const auto far = Ridge(rng, c.Width(), 470, 26, 120, 3);
    FillBelowRidge(c, far, Hex(0x33293f), Hex(0x4a3e5c), 2, kScreenHeight);
    for (int x = 20; x < c.Width(); x += rng.Range(40, 90)) {  // stalagmites
        const double base = far[size_t(x)] + 6, len = rng.Range(24, 70), w = rng.Range(8, 16);
        c.FillPolygon({{x - w, base}, {x + w, base}, {double(x), base - len}}, Hex(0x33293f));
        c.FillPolygon({{x - w, base}, {x - w + 3, base}, {double(x), base - len}}, Hex(0x4a3e5c));
    }
    for (int i = 0; i < 7; ++i) {
        const int x = 50 + i * 110 + rng.Range(-30, 30);
        cluster(x, int(far[size_t(x)]) + 3, crystal[i % 3]);
    }
    const auto near = Ridge(rng, c.Width(), 528, 10, 150, 2);
    FillBelowRidge(c, near, Hex(0x261e30), Hex(0x3a304a), 2, kScreenHeight);
    Finish(c, Hex(0x2a2432), 0.05);
    return c;
}

Canvas DrawBlank() {
    Canvas c = Screen();
    DitheredGradient(c, 0, kScreenHeight, {Hex(0x2a3242), Hex(0x46506a), Hex(0x5a6478)}, 12);
    PitShadow(c);
    return c;
}

}  // namespace artgen
