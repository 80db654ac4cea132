#include "tests/tools/GeneratedData.h"

#include "tests/common/TempDir.h"
#include "tools/artgen/Catalogue.h"

#include <gtest/gtest.h>

#include <map>

const std::string& GeneratedDataFolder() {
    static TempDir folder;
    static const std::string data = [] {
        std::string error;
        const std::string path = folder.File("Data");
        if (!artgen::WriteDataFolder(path, &error)) ADD_FAILURE() << error;
        return path;
    }();
    return data;
}

std::string GeneratedFile(const std::string& name) {
    // Drawing one file is much quicker than writing the folder, and most
    // tests look at one or two files.
    static std::map<std::string, std::string> cache;
    auto found = cache.find(name);
    if (found != cache.end()) return found->second;
    std::string bytes;
    for (const artgen::PictureFile& p : artgen::kPictures)
        if (name == p.name) {
            const artgen::Canvas picture = p.draw();
            bytes.assign(picture.Bytes().begin(), picture.Bytes().end());
        }
    for (const artgen::SoundFile& s : artgen::kSounds)
        if (name == s.name) bytes = artgen::EncodeWav(s.synth(), artgen::kSampleRate);
    return cache[name] = bytes;
}

RgbPicture::RgbPicture(std::string data, int w)
    : bytes(std::move(data)), width(w), height(w > 0 ? int(bytes.size() / (size_t(w) * 3)) : 0) {}

Pixel RgbPicture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return Pixel{0, 0, 0};
    const size_t i = (size_t(y) * width + x) * 3;
    return Pixel{uint8_t(bytes[i]), uint8_t(bytes[i + 1]), uint8_t(bytes[i + 2])};
}

int RgbPicture::CountOpaque(int x, int y, int w, int h) const {
    int count = 0;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) count += !At(xx, yy).IsBlack();
    return count;
}

int RgbPicture::TopOpaqueRow(int x, int y, int w, int h) const {
    for (int yy = y; yy < y + h; ++yy)
        if (CountOpaque(x, yy, w, 1) > 0) return yy - y;
    return -1;
}

int RgbPicture::BottomOpaqueRow(int x, int y, int w, int h) const {
    for (int yy = y + h - 1; yy >= y; --yy)
        if (CountOpaque(x, yy, w, 1) > 0) return yy - y;
    return -1;
}

bool RgbPicture::SameRect(int ax, int ay, const RgbPicture& other, int bx, int by, int w, int h) const {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Pixel p = At(ax + x, ay + y), q = other.At(bx + x, by + y);
            if (p.r != q.r || p.g != q.g || p.b != q.b) return false;
        }
    return true;
}

RgbPicture LoadGenerated(const std::string& name, int width) {
    return RgbPicture(GeneratedFile(name), width);
}
