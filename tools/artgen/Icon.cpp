#include "tools/artgen/Icon.h"

#include "tools/artgen/Sprites.h"

#include <cstdio>
#include <map>

namespace artgen {

namespace {
constexpr int kGroundTop = 38;  // pixels: where the meadow begins
constexpr const char* kXpmChars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#$";
constexpr int kXpmCharCount = 64;
}  // namespace

Canvas DrawIcon() {
    Canvas icon(kIconSize, kIconSize);
    for (int y = 0; y < kGroundTop; ++y)
        icon.FillRect(0, y, kIconSize, 1, Mix(Hex(0x3A7BD5), Hex(0xA8D8F0), double(y) / kGroundTop));
    icon.FillRect(0, kGroundTop, kIconSize, kIconSize - kGroundTop, Hex(0x3C8D2F));
    icon.FillRect(0, kGroundTop, kIconSize, 2, Hex(0x6CC24A));
    // A coin up to the right, the player (walking right, at half size) below it.
    icon.FillCircle(37.5, 11.5, 6.5, Hex(0x8A6A10));
    icon.FillCircle(37.5, 11.5, 5.5, Hex(0xF2C232));
    icon.FillRect(37, 8, 2, 7, Hex(0xFFF0A0));
    const Canvas player = DrawPlayerFrame(1, true).Reduced(2);  // 24 x 32
    icon.Blit(player, 8, kGroundTop + 3 - player.Height(), true);
    return icon;
}

std::string EncodeXpm(const Canvas& canvas, const std::string& name) {
    std::map<uint32_t, std::string> codes;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb c = canvas.Get(x, y);
            const uint32_t key = (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
            if (codes.count(key) == 0) {
                const size_t n = codes.size();  // at most 48 x 48 < 64 x 64 colours
                codes[key] = std::string(1, kXpmChars[n / kXpmCharCount]) + kXpmChars[n % kXpmCharCount];
            }
        }
    std::string xpm = "/* XPM */\nstatic char *" + name + "[] = {\n";
    xpm += "\"" + std::to_string(canvas.Width()) + " " + std::to_string(canvas.Height()) + " " +
           std::to_string(codes.size()) + " 2\",\n";
    for (const auto& [key, code] : codes) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06X", unsigned(key));
        xpm += "\"" + code + " c " + colour + "\",\n";
    }
    for (int y = 0; y < canvas.Height(); ++y) {
        xpm += "\"";
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb c = canvas.Get(x, y);
            xpm += codes[(uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b];
        }
        xpm += y + 1 < canvas.Height() ? "\",\n" : "\"\n";
    }
    return xpm + "};\n";
}

}  // namespace artgen
