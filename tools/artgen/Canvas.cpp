#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace artgen {

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](uint8_t from, uint8_t to) {
        return uint8_t(std::lround(from + (double(to) - from) * t));
    };
    return Rgb{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

Rgb Shade(Rgb c, double factor) {
    auto channel = [factor](uint8_t v) {
        return uint8_t(std::clamp(std::lround(v * factor), 0L, 255L));
    };
    Rgb out{channel(c.r), channel(c.g), channel(c.b)};
    if (out.IsBlack() && !c.IsBlack()) out = Rgb{1, 1, 1};
    return out;
}

int Luma(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

Canvas::Canvas(int w, int h, Rgb fill)
    : width(std::max(w, 0)), height(std::max(h, 0)), pixels(size_t(width) * height * 3) {
    Fill(fill);
}

Rgb Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return kTransparent;
    const uint8_t* p = &pixels[(size_t(y) * width + x) * 3];
    return Rgb{p[0], p[1], p[2]};
}

void Canvas::Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* p = &pixels[(size_t(y) * width + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void Canvas::Blend(int x, int y, Rgb c, int alpha) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    Set(x, y, Mix(Get(x, y), c, std::clamp(alpha, 0, 255) / 255.0));
}

void Canvas::Fill(Rgb c) {
    for (size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = c.r;
        pixels[i + 1] = c.g;
        pixels[i + 2] = c.b;
    }
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb c) {
    const int x0 = std::max(x, 0), x1 = std::min(x + w, width);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) Set(xx, yy, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb c) {
    if (rx <= 0 || ry <= 0) return;
    const int x0 = std::max(int(std::floor(cx - rx)), 0);
    const int x1 = std::min(int(std::ceil(cx + rx)), width - 1);
    const int y0 = std::max(int(std::floor(cy - ry)), 0);
    const int y1 = std::min(int(std::ceil(cy + ry)), height - 1);
    for (int y = y0; y <= y1; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            if (dx * dx + dy * dy <= 1.0) Set(x, y, c);
        }
    }
}

void Canvas::FillPolygon(const std::vector<PointF>& points, Rgb c) {
    if (points.size() < 3) return;
    double top = points[0].y, bottom = points[0].y;
    for (const PointF& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int y0 = std::max(int(std::floor(top)), 0);
    const int y1 = std::min(int(std::ceil(bottom)), height - 1);
    std::vector<double> crossings;
    for (int y = y0; y <= y1; ++y) {
        const double sy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const PointF& a = points[i];
            const PointF& b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int xa = std::max(int(std::ceil(crossings[i] - 0.5)), 0);
            const int xb = std::min(int(std::floor(crossings[i + 1] - 0.5)), width - 1);
            for (int x = xa; x <= xb; ++x) Set(x, y, c);
        }
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c, int thickness) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const int half = (thickness - 1) / 2;
    int err = dx + dy;
    for (;;) {
        FillRect(x0 - half, y0 - half, thickness, thickness, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::Outline(Rgb outline) {
    std::vector<uint8_t> rim(size_t(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!Get(x, y).IsBlack()) continue;
            const bool touches = (x > 0 && !Get(x - 1, y).IsBlack()) ||
                                 (x + 1 < width && !Get(x + 1, y).IsBlack()) ||
                                 (y > 0 && !Get(x, y - 1).IsBlack()) ||
                                 (y + 1 < height && !Get(x, y + 1).IsBlack());
            rim[size_t(y) * width + x] = touches;
        }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (rim[size_t(y) * width + x]) Set(x, y, outline);
}

void Canvas::FillEnclosed(Rgb c) {
    std::vector<uint8_t> outside(size_t(width) * height, 0);
    std::vector<std::pair<int, int>> pending;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        uint8_t& seen = outside[size_t(y) * width + x];
        if (seen || !Get(x, y).IsBlack()) return;
        seen = 1;
        pending.emplace_back(x, y);
    };
    for (int x = 0; x < width; ++x) {
        visit(x, 0);
        visit(x, height - 1);
    }
    for (int y = 0; y < height; ++y) {
        visit(0, y);
        visit(width - 1, y);
    }
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!outside[size_t(y) * width + x] && Get(x, y).IsBlack()) Set(x, y, c);
}

void Canvas::Blit(const Canvas& src, int x, int y, bool transparent) {
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx) {
            const Rgb c = src.Get(sx, sy);
            if (transparent && c.IsBlack()) continue;
            Set(x + sx, y + sy, c);
        }
}

Canvas Canvas::Mirrored() const {
    Canvas out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.Set(width - 1 - x, y, Get(x, y));
    return out;
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    out.Blit(*this, -x, -y, false);
    return out;
}

Canvas Canvas::Reduced(int factor) const {
    if (factor <= 1) return *this;
    Canvas out(width / factor, height / factor);
    const int area = factor * factor;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int yy = 0; yy < factor; ++yy)
                for (int xx = 0; xx < factor; ++xx) {
                    const Rgb c = Get(x * factor + xx, y * factor + yy);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            out.Set(x, y, Rgb{uint8_t(r / area), uint8_t(g / area), uint8_t(b / area)});
        }
    return out;
}

Canvas Canvas::Enlarged(int factor) const {
    if (factor <= 1) return *this;
    Canvas out(width * factor, height * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.Set(x, y, Get(x / factor, y / factor));
    return out;
}

bool WritePpm(const std::string& path, const Canvas& canvas) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", canvas.Width(), canvas.Height());
    const auto& bytes = canvas.Bytes();
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace artgen
