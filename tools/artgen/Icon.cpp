#include "tools/artgen/Icon.h"

#include "tools/artgen/Sprites.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace artgen {

namespace {
constexpr int kGroundTop = 38;  // pixels: where the meadow begins
constexpr const char* kXpmChars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#$";
constexpr int kXpmCharCount = 64;

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr size_t kPngSignatureSize = 8;  // bytes
constexpr uint8_t kPngBitDepth = 8;
constexpr uint8_t kPngColourRgb = 2;
constexpr uint8_t kPngNoFilter = 0;        // the filter byte that starts each row
constexpr size_t kStoredBlockMax = 65535;  // bytes of one uncompressed deflate block
constexpr uint32_t kAdlerModulus = 65521;

void PutBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += char((value >> shift) & 0xFF);
}

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t Adler32(const std::string& bytes) {
    uint32_t a = 1, b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    return (b << 16) | a;
}

// A chunk: length, type, data and the CRC of type and data.
void PutChunk(std::string& png, const char* type, const std::string& data) {
    PutBigEndian(png, uint32_t(data.size()));
    const std::string typed = type + data;
    png += typed;
    PutBigEndian(png, Crc32(typed));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(const std::string& raw) {
    std::string z = "\x78\x01";  // deflate, 32 KiB window, no dictionary; a multiple of 31
    size_t at = 0;
    do {
        const size_t length = std::min(kStoredBlockMax, raw.size() - at);
        const bool last = at + length == raw.size();
        z += char(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored), then byte-aligned
        z += char(length & 0xFF);
        z += char(length >> 8);
        z += char(~length & 0xFF);
        z += char((~length >> 8) & 0xFF);
        z.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    PutBigEndian(z, Adler32(raw));
    return z;
}
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

std::string EncodePng(const Canvas& canvas) {
    std::string header;
    PutBigEndian(header, uint32_t(canvas.Width()));
    PutBigEndian(header, uint32_t(canvas.Height()));
    header += char(kPngBitDepth);
    header += char(kPngColourRgb);
    header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace
    const size_t rowBytes = size_t(canvas.Width()) * 3;
    std::string rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        rows += char(kPngNoFilter);
        rows.append(reinterpret_cast<const char*>(canvas.Bytes().data()) + y * rowBytes, rowBytes);
    }
    std::string png(kPngSignature, kPngSignatureSize);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(rows));
    PutChunk(png, "IEND", "");
    return png;
}

}  // namespace artgen
