#include "tools/artgen/SceneryKit.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr int kBayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

Rgb StopColour(const std::vector<Rgb>& stops, double t) {
    if (stops.size() == 1) return stops[0];
    const double pos = std::clamp(t, 0.0, 1.0) * double(stops.size() - 1);
    const size_t i = std::min(size_t(pos), stops.size() - 2);
    return Mix(stops[i], stops[i + 1], pos - double(i));
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

int Bayer(int x, int y) { return kBayer4[y & 3][x & 3]; }

void DitheredGradient(Canvas& canvas, int y0, int y1, const std::vector<Rgb>& stops, int bands) {
    if (stops.empty() || y1 <= y0 || bands < 2) return;
    for (int y = std::max(y0, 0); y < canvas.Height(); ++y) {
        const double t = std::min(double(y - y0) / double(y1 - y0), 1.0) * (bands - 1);
        for (int x = 0; x < canvas.Width(); ++x) {
            const double threshold = (Bayer(x, y) + 0.5) / 16.0;
            int band = int(std::floor(t));
            if (t - band > threshold) ++band;
            band = std::min(band, bands - 1);
            canvas.Set(x, y, StopColour(stops, double(band) / (bands - 1)));
        }
    }
}

std::vector<double> Ridge(Rng& rng, int width, double base, double amplitude, double period,
                          int octaves) {
    std::vector<double> heights(size_t(std::max(width, 0)), base);
    double amp = amplitude;
    double step = period;
    for (int o = 0; o < octaves; ++o) {
        const int knots = int(width / step) + 3;
        std::vector<double> values(static_cast<size_t>(knots));
        for (double& v : values) v = rng.Real(-1.0, 1.0);
        for (int x = 0; x < width; ++x) {
            const double p = x / step;
            const int k = int(p);
            heights[size_t(x)] += amp * (values[size_t(k)] +
                                         (values[size_t(k) + 1] - values[size_t(k)]) * Smooth(p - k));
        }
        amp *= 0.45;
        step = std::max(step * 0.5, 2.0);
    }
    return heights;
}

void FillBelowRidge(Canvas& canvas, const std::vector<double>& ridge, Rgb body, Rgb rim,
                    int rimRows, int bottom) {
    for (int x = 0; x < canvas.Width() && x < int(ridge.size()); ++x) {
        const int top = int(std::lround(ridge[size_t(x)]));
        for (int y = std::max(top, 0); y < std::min(bottom, canvas.Height()); ++y)
            canvas.Set(x, y, y < top + rimRows ? rim : body);
    }
}

void Stars(Canvas& canvas, Rng& rng, int count, int top, int bottom,
           const std::vector<RectI>& keepOut) {
    for (int i = 0; i < count; ++i) {
        const int x = rng.Range(0, canvas.Width() - 1);
        const int y = rng.Range(top, bottom - 1);
        const bool bright = rng.Chance(8);
        bool blocked = false;
        for (const RectI& r : keepOut) blocked = blocked || r.Contains(x, y);
        if (blocked) continue;
        const int level = rng.Range(110, 230);
        const Rgb star = Mix(Rgb{uint8_t(level), uint8_t(level), uint8_t(std::min(level + 25, 255))},
                             Hex(0xFFF1C0), rng.Chance(30) ? 0.6 : 0.0);
        if (bright) {
            canvas.Set(x, y, Hex(0xFFFFF0));
            for (int d : {-1, 1}) {
                canvas.Blend(x + d, y, star, 170);
                canvas.Blend(x, y + d, star, 170);
            }
        } else {
            canvas.Blend(x, y, star, 200);
        }
    }
}

void Cloud(Canvas& canvas, Rng& rng, int cx, int cy, int width, Rgb light, Rgb shade) {
    const int puffs = std::max(3, width / 18);
    struct Puff {
        double x, y, r;
    };
    std::vector<Puff> parts;
    for (int i = 0; i < puffs; ++i) {
        const double t = puffs == 1 ? 0.5 : double(i) / (puffs - 1);
        const double r = width * (0.12 + 0.14 * std::sin(t * 3.14159)) * rng.Real(0.85, 1.15);
        parts.push_back({cx - width / 2.0 + t * width, cy - r * 0.35, r});
    }
    // A flat, shaded base is what makes pixel clouds read as clouds.
    canvas.FillEllipse(cx, cy + 2, width * 0.5, width * 0.05 + 3, shade);
    for (const Puff& p : parts) canvas.FillEllipse(p.x, p.y + 3, p.r, p.r * 0.8, shade);
    for (const Puff& p : parts) canvas.FillEllipse(p.x, p.y, p.r * 0.92, p.r * 0.72, light);
    canvas.FillEllipse(cx, cy, width * 0.42, width * 0.04 + 1, light);
}

void PineTree(Canvas& canvas, int x, int baseY, int height, Rgb body, Rgb snow) {
    const int trunk = std::max(2, height / 10);
    canvas.FillRect(x - trunk / 2, baseY - trunk * 2, trunk, trunk * 2, Shade(body, 0.7));
    const int tiers = 3;
    for (int t = 0; t < tiers; ++t) {
        const double top = baseY - height + t * height * 0.22;
        const double bottom = baseY - trunk * 1.5 - (tiers - 1 - t) * height * 0.18;
        const double half = height * (0.18 + 0.08 * t);
        canvas.FillPolygon({{double(x), top}, {x + half, bottom}, {x - half, bottom}}, body);
        if (!snow.IsBlack())
            canvas.FillPolygon({{double(x), top}, {x + half * 0.45, top + (bottom - top) * 0.45},
                                {x - half * 0.45, top + (bottom - top) * 0.45}},
                               snow);
    }
}

void RoundTree(Canvas& canvas, Rng& rng, int x, int baseY, int height, Rgb trunk, Rgb crown,
               Rgb light) {
    const int w = std::max(2, height / 8);
    canvas.FillRect(x - w / 2, baseY - height / 2, w, height / 2, trunk);
    const double r = height * 0.32;
    const double cy = baseY - height + r;
    canvas.FillCircle(x, cy, r, crown);
    for (int i = 0; i < 3; ++i)
        canvas.FillCircle(x + rng.Real(-r, r) * 0.6, cy + rng.Real(-r, r) * 0.4, r * 0.6, crown);
    canvas.FillCircle(x - r * 0.3, cy - r * 0.3, r * 0.4, light);
}

void Mute(Canvas& canvas, Rgb haze, double amount, double desaturate) {
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            Rgb c = canvas.Get(x, y);
            const uint8_t grey = uint8_t(Luma(c));
            c = Mix(c, Rgb{grey, grey, grey}, desaturate);
            canvas.Set(x, y, Mix(c, haze, amount));
        }
}

void PitShadow(Canvas& canvas) {
    const int start = kGroundTop + 8;
    for (int y = start; y < canvas.Height(); ++y) {
        const double depth = double(y - start) / double(canvas.Height() - start);
        for (int x = 0; x < canvas.Width(); ++x) {
            const double f = 1.0 - 0.85 * depth - ((Bayer(x, y) & 3) == 0 ? 0.04 : 0.0);
            canvas.Set(x, y, Shade(canvas.Get(x, y), std::max(f, 0.08)));
        }
    }
}

}  // namespace artgen
