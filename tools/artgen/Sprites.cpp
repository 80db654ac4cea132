#include "tools/artgen/Sprites.h"

#include "tools/artgen/Rng.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Outlines: very dark but never black, so they are drawn, not see-through.
constexpr Rgb kInk = Hex(0x1b1424);

// Stacks equally sized frames vertically.
template <typename DrawFrame>
Canvas Strip(int width, int frameHeight, int frames, DrawFrame draw) {
    Canvas strip(width, frameHeight * frames);
    for (int i = 0; i < frames; ++i) strip.Blit(draw(i), 0, i * frameHeight, true);
    return strip;
}

// Draws a layer on its own, outlines it and lays it over the picture, so that
// the outline also separates it from the layers beneath.
template <typename Draw>
void Layer(Canvas& picture, Rgb outline, Draw draw) {
    Canvas layer(picture.Width(), picture.Height());
    draw(layer);
    layer.Outline(outline);
    picture.Blit(layer, 0, 0, true);
}

// Player palette.
constexpr Rgb kSkin = Hex(0xf4c69c), kSkinShade = Hex(0xd99a74);
constexpr Rgb kCap = Hex(0xd84a3c), kCapShade = Hex(0xa83428), kCapLight = Hex(0xf27a5e);
constexpr Rgb kTunic = Hex(0x3f9e5a), kTunicShade = Hex(0x2c7844), kTunicLight = Hex(0x62bc74);
constexpr Rgb kPants = Hex(0x3b4f8c), kPantsShade = Hex(0x2b3a68);
constexpr Rgb kBoot = Hex(0x7a4a2a), kBootShade = Hex(0x553219);
constexpr Rgb kBelt = Hex(0x6a4424), kBuckle = Hex(0xf2cf4a);
constexpr Rgb kEyeWhite = Hex(0xfafaf4), kPupil = Hex(0x241c30);

void Leg(Canvas& c, int hipX, int footX, int footBottom, Rgb pants, Rgb boot) {
    c.Line(hipX, 47, footX, footBottom - 4, pants, 5);
    c.FillEllipse(footX + 2.5, footBottom - 2.5, 5.5, 3.5, boot);
    c.FillRect(footX - 2, footBottom - 2, 9, 2, boot);
}

void Arm(Canvas& c, int handX, int handY, Rgb sleeve) {
    c.Line(24, 33, handX, handY, sleeve, 4);
    c.FillCircle(handX + 0.5, handY + 0.5, 2.6, kSkin);
}

}  // namespace

Canvas DrawPlayerFrame(int phase, bool facingRight) {
    const double p = 2 * kPi * phase / 3.0;
    const double swing = std::sin(p);
    const int frontFoot = 22 + int(std::lround(9 * swing));
    const int backFoot = 22 - int(std::lround(9 * swing));
    const int frontLift = int(std::lround(3 * std::max(0.0, std::cos(p))));
    const int backLift = int(std::lround(3 * std::max(0.0, -std::cos(p))));
    const int bob = std::fabs(swing) < 0.5 ? -1 : 0;  // the body rises while the legs pass

    Canvas c(kPlayerWidth, kPlayerHeight);
    Layer(c, kInk, [&](Canvas& l) {
        Leg(l, 23, backFoot, 63 - backLift, kPantsShade, kBootShade);
        Arm(l, 24 + int(std::lround(8 * swing)), 44 + bob, kTunicShade);
    });
    Layer(c, kInk, [&](Canvas& l) {
        Leg(l, 25, frontFoot, 63 - frontLift, kPants, kBoot);
        // Tunic with its shaded back and the belt.
        l.FillEllipse(24, 38 + bob, 9.5, 10, kTunic);
        l.FillEllipse(19, 39 + bob, 4, 8, kTunicShade);
        l.FillRect(20, 30 + bob, 6, 3, kTunicLight);
        l.FillRect(15, 42 + bob, 19, 3, kBelt);
        l.FillRect(26, 42 + bob, 3, 3, kBuckle);
        // Head: face, ear, cap with its visor to the front.
        const double hy = 17 + bob;
        l.FillCircle(24, hy, 11.5, kSkin);
        l.FillEllipse(18, hy + 2, 2, 2.5, kSkinShade);  // ear
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 48; ++x)
                if (y < hy - 1 && std::hypot(x + 0.5 - 24, y + 0.5 - hy) <= 12.5) l.Set(x, y, kCap);
        l.FillRect(27, int(hy) - 3, 15, 3, kCapShade);  // the visor shows which way he looks
        l.FillRect(27, int(hy) - 4, 13, 1, kCap);
        l.FillEllipse(20, hy - 8, 5, 2.5, kCapLight);
        l.FillEllipse(30.5, hy + 2, 2.5, 3.5, kEyeWhite);
        l.FillRect(31, int(hy) + 1, 2, 3, kPupil);
        l.FillCircle(36, hy + 5, 3, Hex(0xf0a884));
        l.FillRect(28, int(hy) + 8, 4, 1, Hex(0xb0604a));
        l.FillRect(26, int(hy) + 5, 2, 2, Hex(0xf29a8a));
        l.FillRect(13, int(hy) - 2, 3, 6, Hex(0x6b3a1e));  // hair under the cap
    });
    Layer(c, kInk, [&](Canvas& l) { Arm(l, 24 - int(std::lround(8 * swing)), 44 + bob, kTunic); });
    c.FillEnclosed(kInk);
    return facingRight ? c : c.Mirrored();
}

Canvas DrawPlayerStrip() {
    return Strip(kPlayerWidth, kPlayerHeight, kPlayerFrames,
                 [](int i) { return DrawPlayerFrame(i % 3, i >= 3); });
}

Canvas DrawMoney() {
    Canvas c(kCoinCell, kCoinCell);
    const double cx = 10, cy = 9.5;
    c.FillEllipse(cx, cy, 10, 9.5, Hex(0x7a4c10));
    c.FillEllipse(cx, cy, 8.8, 8.3, Hex(0xf2c23a));
    c.FillEllipse(cx + 0.6, cy + 0.6, 6.4, 6.0, Hex(0xd29a22));
    c.FillEllipse(cx, cy, 5.6, 5.2, Hex(0xf6cc48));
    c.FillRect(9, 5, 2, 9, Hex(0xfff0a0));
    c.FillRect(11, 6, 1, 8, Hex(0xc08a1c));
    for (const auto& p : {std::pair{4, 5}, {5, 4}, {4, 6}, {6, 3}, {7, 3}, {3, 8}})
        c.Set(p.first, p.second, Hex(0xfff6c8));
    return c;
}

Canvas DrawBeeFrame(bool wingsUp, bool facingRight) {
    Canvas c(kBeeWidth, kBeeHeight);
    Layer(c, Hex(0x4e6a84), [&](Canvas& l) {
        if (wingsUp) {
            l.FillEllipse(15, 6.5, 6.5, 5, Hex(0xd6ecf8));
            l.FillEllipse(22.5, 5.5, 5.5, 4.5, Hex(0xe6f4fc));
            l.FillRect(14, 4, 3, 2, Hex(0xf6fcff));
        } else {
            l.FillEllipse(12.5, 12, 8, 3.2, Hex(0xd6ecf8));
            l.FillEllipse(19.5, 11, 7, 3, Hex(0xe6f4fc));
            l.FillRect(9, 11, 4, 1, Hex(0xf6fcff));
        }
    });
    Layer(c, Hex(0x1e1410), [&](Canvas& l) {
        l.FillPolygon({{7, 16}, {1.5, 19}, {7, 21}}, Hex(0x5a4a40));  // sting
        l.FillEllipse(18, 18.5, 11.5, 7.5, Hex(0xf4c434));
        for (int x = 0; x < 40; ++x)
            for (int y = 0; y < 30; ++y)
                if (!l.Get(x, y).IsBlack() && x > 7 && ((x >= 12 && x <= 14) || (x >= 19 && x <= 21)))
                    l.Set(x, y, Hex(0x4a321c));
        l.FillEllipse(15, 14.5, 5, 1.5, Hex(0xfbe08a));
        l.FillCircle(30.5, 15.5, 6, Hex(0x4a3424));
        l.FillCircle(32.5, 14, 2.3, Hex(0xfafaf4));
        l.FillRect(33, 13, 2, 2, kPupil);
        l.Line(31, 10, 34, 4, Hex(0x4a3424));
        l.FillRect(34, 3, 2, 2, Hex(0x4a3424));
        l.Line(14, 25, 13, 28, Hex(0x4a3424));
        l.Line(20, 25, 20, 28, Hex(0x4a3424));
    });
    c.FillEnclosed(Hex(0x1e1410));
    return facingRight ? c : c.Mirrored();
}

Canvas DrawBeeStrip() {
    return Strip(kBeeWidth, kBeeHeight, kBeeFrames, [](int i) { return DrawBeeFrame(i % 2 == 0, i < 2); });
}

int FlameHeight(int frame) {
    // Counted from 0: frames 2 to 7 are the dangerous, tall phase.
    constexpr int kHeights[12] = {6, 8, 21, 27, 29, 26, 29, 22, 9, 7, 6, 5};
    return kHeights[std::clamp(frame, 0, 11)];
}

Canvas DrawFireFrame(int frame) {
    Canvas c(kFireWidth, kFireHeight);
    const int height = FlameHeight(frame);
    const double phase = frame * 1.7;
    auto tongue = [&](Canvas& l, double cx, double h, double w, Rgb col) {
        const int base = 27;
        for (int y = base - int(h); y <= base; ++y) {
            const double t = (base - y) / h;  // 0 at the logs, 1 at the tip
            const double half = w * std::pow(std::max(0.0, 1 - t), 0.7) * (t < 0.2 ? 0.75 + 1.25 * t : 1.0);
            const double x0 = cx + 2.2 * t * std::sin(t * 5 + phase);
            for (int x = int(std::floor(x0 - half)); x <= int(std::ceil(x0 + half)); ++x)
                if (std::fabs(x + 0.5 - x0) <= half) l.Set(x, y, col);
        }
    };
    Layer(c, Hex(0x3a1408), [&](Canvas& l) {
        const double side = height > 12 ? 0.7 : 0.9;
        const struct { double cx, h, w; } tongues[] = {
            {20, double(height), 7.5}, {13, height * side, 4.8}, {27, height * side * 0.92, 4.8}};
        for (const auto& t : tongues) tongue(l, t.cx, t.h, t.w, Hex(0xe2461e));
        for (const auto& t : tongues) tongue(l, t.cx, t.h * 0.75, t.w * 0.62, Hex(0xff9a2c));
        for (const auto& t : tongues) tongue(l, t.cx, t.h * 0.45, t.w * 0.34, Hex(0xfff0a0));
    });
    Layer(c, Hex(0x2a160c), [&](Canvas& l) {
        l.Line(7, 28, 31, 24, Hex(0x7a4a2a), 4);
        l.Line(8, 24, 32, 28, Hex(0x6a3e22), 4);
        l.FillCircle(6.5, 28.5, 2, Hex(0xb07a4a));
        l.FillCircle(32.5, 28.5, 2, Hex(0xb07a4a));
        for (int i = 0; i < 5; ++i) {  // embers glowing in the wood
            const uint32_t h = Hash(i, frame, 77);
            l.Set(10 + int(h % 20), 25 + int((h >> 8) % 3), (h >> 16) % 2 ? Hex(0xff7a2a) : Hex(0xffc850));
        }
    });
    if (height > 12)  // sparks above the tall flames
        for (int i = 0; i < 3; ++i) {
            const uint32_t h = Hash(i, frame, 91);
            c.Set(12 + int(h % 16), 1 + int((h >> 8) % 5), Hex(0xffd870));
        }
    return c;
}

Canvas DrawFireStrip() { return Strip(kFireWidth, kFireHeight, kFireFrames, DrawFireFrame); }

Canvas DrawUfoFrame(int frame) {
    Canvas c(kUfoWidth, kUfoHeight);
    Layer(c, Hex(0x161a26), [&](Canvas& l) {
        for (int y = 4; y <= 20; ++y)  // glass dome, the top of a circle
            for (int x = 10; x <= 30; ++x)
                if (std::hypot(x + 0.5 - 20, y + 0.5 - 17) <= 10) l.Set(x, y, Hex(0x9ed8e4));
        l.FillCircle(20, 15.5, 4.5, Hex(0x7ccc5a));  // the pilot
        l.Set(18, 15, Hex(0x1e2a18));
        l.Set(21, 15, Hex(0x1e2a18));
        l.FillRect(14, 10, 2, 3, Hex(0xf2fcff));
        l.Set(16, 9, Hex(0xf2fcff));
        l.FillEllipse(20, 24, 19, 6, Hex(0xb4bccb));
        l.FillEllipse(20, 22, 16, 2.5, Hex(0xdce2ea));
        l.FillEllipse(20, 27, 13, 3.5, Hex(0x6c7488));
        l.FillEllipse(20, 31, 6, 2.5, frame % 2 ? Hex(0x9ff0ff) : Hex(0xd8fcff));
        const Rgb lit[] = {Hex(0xffe45a), Hex(0xff6a5a), Hex(0x7cff8a), Hex(0x7ac8ff), Hex(0xffe45a)};
        for (int i = 0; i < 5; ++i) {
            const int x = 5 + i * 7;
            const bool on = (i + frame) % 4 == 0;  // one lamp steps along per frame
            l.FillRect(x, 24, 3, 2, on ? lit[i] : Hex(0x566070));
            if (on) l.Set(x + 1, 23, Hex(0xfffbe0));
        }
    });
    return c;
}

Canvas DrawUfoStrip() { return Strip(kUfoWidth, kUfoHeight, kUfoFrames, DrawUfoFrame); }

}  // namespace artgen
