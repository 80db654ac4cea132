#include "tools/artgen/Screens.h"

#include "tools/artgen/PixelFont.h"
#include "tools/artgen/Sprites.h"
#include "tools/artgen/Tiles.h"

#include <cmath>

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

template <typename EachBrick>
void ForEachBrick(const std::string& text, int left, int y, int scale, EachBrick each) {
    for (size_t i = 0; i < text.size(); ++i)
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int col = 0; col < kGlyphWidth; ++col)
                if (text[i] != ' ' && GlyphPixel(text[i], col, row))
                    each(left + (int(i) * kGlyphAdvance + col) * scale, y + row * scale, row);
}

// Rays from a centre in two alternating colours, darkening toward the edges.
void Sunburst(Canvas& c, double cx, double cy, Rgb a, Rgb b, int rays, Rgb edge) {
    const double maxDist = std::hypot(cx, cy) + 60;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const double angle = std::atan2(y + 0.5 - cy, x + 0.5 - cx) + kPi;
            const int sector = int(angle / (2 * kPi) * rays);
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / maxDist;
            const double fade = std::min(1.0, d * 1.3 + (Bayer(x, y) - 7.5) / 60.0);
            c.Set(x, y, Mix(sector % 2 ? a : b, edge, fade));
        }
}

// A five-pointed sparkle about r pixels across.
void Sparkle(Canvas& c, double x, double y, double r, Rgb colour) {
    std::vector<PointF> points;
    for (int k = 0; k < 10; ++k) {
        const double a = -kPi / 2 + k * kPi / 5;
        const double rr = k % 2 ? r * 0.42 : r;
        points.push_back({x + rr * std::cos(a), y + rr * std::sin(a)});
    }
    c.FillPolygon(points, colour);
}

}  // namespace

const std::vector<RectI>& TitleTextAreas() {
    static const std::vector<RectI> areas = {
        {0, 40, 330, 50},     // "L O A D I N G . . ." at (10, 60)
        {190, 118, 470, 48},  // the maker line at (210, 135)
        {460, 585, 340, 45},  // "PRESS THE [G] KEY TO PLAY" at (480, 600)
    };
    return areas;
}

void BlockCaption(Canvas& canvas, const std::string& text, int y, int scale, Rgb top, Rgb bottom,
                  Rgb rim, Rgb shadow) {
    const int left = (canvas.Width() - TextWidth(text, scale)) / 2;
    const int edge = std::max(2, scale / 5);
    ForEachBrick(text, left, y, scale, [&](int x, int yy, int) {
        canvas.FillRect(x + edge + 2, yy + edge + 3, scale, scale, shadow);
    });
    ForEachBrick(text, left, y, scale, [&](int x, int yy, int) {
        canvas.FillRect(x - edge, yy - edge, scale + 2 * edge, scale + 2 * edge, rim);
    });
    ForEachBrick(text, left, y, scale, [&](int x, int yy, int row) {
        const Rgb face = Mix(top, bottom, row / double(kGlyphHeight - 1));
        canvas.FillRect(x, yy, scale, scale, face);
        const int bevel = std::max(1, scale / 6);
        canvas.FillRect(x, yy, scale, bevel, Mix(face, Hex(0xffffff), 0.45));
        canvas.FillRect(x, yy, bevel, scale, Mix(face, Hex(0xffffff), 0.25));
        canvas.FillRect(x, yy + scale - bevel, scale, bevel, Shade(face, 0.72));
        canvas.FillRect(x + scale - bevel, yy, bevel, scale, Shade(face, 0.82));
    });
}

Canvas DrawTitle() {
    Canvas c(kScreenWidth, kScreenHeight);
    Rng rng(909);
    DitheredGradient(c, 0, 560, {Hex(0x0a0a1c), Hex(0x16123a), Hex(0x2a1e52), Hex(0x3a2a62)}, 16);
    std::vector<RectI> keepOut = TitleTextAreas();
    keepOut.push_back({0, 0, kScreenWidth, 30});  // the high-score lines are written up there
    Stars(c, rng, 260, 30, 520, keepOut);
    const auto far = Ridge(rng, c.Width(), 520, 22, 180, 3);
    FillBelowRidge(c, far, Hex(0x1c1438), Hex(0x261c48), 2, kScreenHeight);
    const auto near = Ridge(rng, c.Width(), 560, 10, 200, 2);
    FillBelowRidge(c, near, Hex(0x110c24), Hex(0x1a1334), 2, kScreenHeight);

    BlockCaption(c, "BRUVO", 176, 11, Hex(0xffe66e), Hex(0xe8702a), Hex(0x2a0e10), Hex(0x07040e));
    BlockCaption(c, "STAGE", 282, 11, Hex(0xffe66e), Hex(0xe8702a), Hex(0x2a0e10), Hex(0x07040e));
    BlockCaption(c, "KRODEL", 388, 11, Hex(0xffe66e), Hex(0xe8702a), Hex(0x2a0e10), Hex(0x07040e));

    // A little stage at the bottom left: ground, a bush, coins, the hero and
    // a bee; the prompt's corner at the bottom right stays night.
    const Canvas ground = DrawTileFrame(0);
    Canvas stage(400, kTileSize);
    for (int x = 0; x < 400; x += kTileSize) stage.Blit(ground, x, 0, true);
    for (int y = 0; y < kTileSize; ++y) {  // a slanted cliff ends the stage
        const int edge = 392 - y / 3;
        stage.FillRect(edge, y, 400 - edge, 1, kTransparent);
        if (y > 5) stage.Set(edge - 1, y, Hex(0x3a2414));
    }
    c.Blit(stage, 0, 576, true);
    c.Blit(DrawTileFrame(1), 256, 512, true);
    c.Blit(DrawTileFrame(4), 16, 512, true);
    const Canvas coin = DrawMoney();
    for (int i = 0; i < 4; ++i) c.Blit(coin, 150 + i * 26, 486 - (i % 2) * 6, true);
    c.Blit(DrawPlayerFrame(1, true), 96, 518, true);
    c.Blit(DrawBeeFrame(true, false), 300, 470, true);
    c.Blit(DrawUfoFrame(0).Enlarged(2), 660, 40, true);
    return c;
}

Canvas DrawLifeLost() {
    Canvas c(kScreenWidth, kScreenHeight);
    Sunburst(c, 400, 470, Hex(0x5a1626), Hex(0x48101e), 20, Hex(0x14060c));
    BlockCaption(c, "OUCH!", 110, 16, Hex(0xfff4e4), Hex(0xffa28c), Hex(0x2a060c), Hex(0x0e0306));
    BlockCaption(c, "TRY AGAIN", 270, 8, Hex(0xffe0a0), Hex(0xf0a040), Hex(0x2a060c), Hex(0x0e0306));
    c.Blit(DrawPlayerFrame(0, true).Enlarged(3), 328, 400, true);
    for (int i = 0; i < 5; ++i) {  // dizzy stars round the hero's head
        const double a = i * 2 * kPi / 5 + 0.3;
        Sparkle(c, 400 + 62 * std::cos(a), 392 + 11 * std::sin(a), 9, Hex(0xffe45a));
    }
    return c;
}

Canvas DrawLevelDone() {
    Canvas c(kScreenWidth, kScreenHeight);
    Sunburst(c, 400, 300, Hex(0x1a5a40), Hex(0x124832), 24, Hex(0x06140e));
    BlockCaption(c, "LEVEL", 110, 12, Hex(0xfff3a0), Hex(0xf0a020), Hex(0x2a1a04), Hex(0x040a06));
    BlockCaption(c, "COMPLETE!", 222, 12, Hex(0xfff3a0), Hex(0xf0a020), Hex(0x2a1a04), Hex(0x040a06));
    const Canvas coin = DrawMoney().Enlarged(2);
    for (int i = 0; i < 9; ++i) c.Blit(coin, 130 + i * 60, 360 + int(8 * std::sin(i * 0.9)), true);
    Rng rng(1111);
    for (int i = 0; i < 14; ++i)
        Sparkle(c, rng.Range(40, 760), rng.Range(440, 610), rng.Range(4, 9), Hex(0xfff6c0));
    c.Blit(DrawPlayerFrame(2, true).Enlarged(3), 328, 420, true);
    return c;
}

Canvas DrawGameOver() {
    Canvas c(kScreenWidth, kScreenHeight);
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const double d = std::hypot((x - 400) / 400.0, (y - 300) / 340.0);
            c.Set(x, y, Mix(Hex(0x24123a), Hex(0x06040c), d + (Bayer(x, y) - 7.5) / 40.0));
        }
    BlockCaption(c, "GAME", 120, 16, Hex(0xff7a5a), Hex(0xb01e2a), Hex(0x2a0608), Hex(0x030106));
    BlockCaption(c, "OVER", 280, 16, Hex(0xff7a5a), Hex(0xb01e2a), Hex(0x2a0608), Hex(0x030106));
    const std::string thanks = "THANKS FOR PLAYING";
    DrawText(c, (c.Width() - TextWidth(thanks, 3)) / 2, 470, thanks, 3, Hex(0xc8b8e0));
    c.Blit(DrawBeeFrame(true, true).Enlarged(2), 90, 300, true);
    c.Blit(DrawUfoFrame(1).Enlarged(2), 630, 150, true);
    return c;
}

}  // namespace artgen
