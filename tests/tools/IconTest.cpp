// The game's icon: drawn by the generator, written as the picture the game
// gives the window manager, as the XPM of the desktop entry and as the PNG of
// the installed icon; and the desktop entry itself.
#include "tests/common/Process.h"
#include "tests/common/TempDir.h"
#include "tests/tools/GeneratedData.h"
#include "tools/artgen/Icon.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace {

// The pixels of an XPM of two characters a pixel, as 0xRRGGBB; empty when it
// does not parse.
std::vector<uint32_t> ParseXpm(const std::string& xpm, int* width, int* height)
{
    std::vector<std::string> strings;
    for (size_t open = xpm.find('"'); open != std::string::npos; open = xpm.find('"', open + 1)) {
        const size_t close = xpm.find('"', open + 1);
        if (close == std::string::npos)
            return {};
        strings.push_back(xpm.substr(open + 1, close - open - 1));
        open = close;
    }
    if (strings.empty())
        return {};
    int colours = 0, perPixel = 0;
    std::istringstream header(strings[0]);
    header >> *width >> *height >> colours >> perPixel;
    if (perPixel != 2 || strings.size() != size_t(1 + colours + *height))
        return {};
    std::map<std::string, uint32_t> palette;
    for (int i = 1; i <= colours; ++i)
        palette[strings[i].substr(0, 2)] = uint32_t(std::strtoul(strings[i].substr(strings[i].find(" c #") + 4).c_str(), nullptr, 16));
    std::vector<uint32_t> pixels;
    for (int row = 0; row < *height; ++row) {
        const std::string& line = strings[size_t(1 + colours + row)];
        if (line.size() != size_t(*width) * 2)
            return {};
        for (int x = 0; x < *width; ++x)
            pixels.push_back(palette.at(line.substr(size_t(x) * 2, 2)));
    }
    return pixels;
}

uint32_t BigEndian(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes.at(at))) << 24 | uint32_t(uint8_t(bytes.at(at + 1))) << 16 |
           uint32_t(uint8_t(bytes.at(at + 2))) << 8 | uint8_t(bytes.at(at + 3));
}

// A PNG's chunks by type (the IDAT ones joined), each checked against its CRC.
std::map<std::string, std::string> Chunks(const std::string& png)
{
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    std::map<std::string, std::string> chunks;
    for (size_t at = 8; at + 12 <= png.size(); at += 12 + BigEndian(png, at)) {
        const std::string typed = png.substr(at + 4, 4 + BigEndian(png, at));
        const Bytef* bytes = reinterpret_cast<const Bytef*>(typed.data());
        EXPECT_EQ(BigEndian(png, at + 4 + typed.size()), crc32(0, bytes, uInt(typed.size())));
        chunks[typed.substr(0, 4)] += typed.substr(4);
    }
    return chunks;
}

}  // namespace

// The installed icon, and a picture large enough for two stored blocks: zlib
// inflates their image data to the canvas's rows, each after filter byte 0.
TEST(Icon, ThePngHoldsThePixelsOfTheCanvas)
{
    EXPECT_EQ(ReadFileBytes(GeneratedDataFolder() + "/" + artgen::kIconPng), artgen::EncodePng(artgen::DrawIcon()));
    artgen::Canvas large(200, 120);
    for (int y = 0; y < large.Height(); ++y)
        for (int x = 0; x < large.Width(); ++x)
            large.Set(x, y, {uint8_t(x), uint8_t(y * 2), uint8_t(x ^ y)});
    for (const artgen::Canvas& canvas : {artgen::DrawIcon(), large}) {
        std::map<std::string, std::string> chunks = Chunks(artgen::EncodePng(canvas));
        EXPECT_EQ(chunks["IHDR"].substr(8), std::string("\x08\x02\0\0\0", 5));  // 8-bit RGB
        EXPECT_EQ(BigEndian(chunks["IHDR"], 0), uint32_t(canvas.Width()));
        EXPECT_EQ(BigEndian(chunks["IHDR"], 4), uint32_t(canvas.Height()));
        EXPECT_EQ(chunks.count("IEND"), 1u);
        const size_t rowBytes = size_t(canvas.Width()) * 3;
        std::string rows, raw(size_t(canvas.Height()) * (rowBytes + 1) + 1, '\0');
        const std::string pixels(canvas.Bytes().begin(), canvas.Bytes().end());
        for (int y = 0; y < canvas.Height(); ++y)
            rows += '\0' + pixels.substr(y * rowBytes, rowBytes);
        uLongf size = raw.size();
        EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size,
                             reinterpret_cast<const Bytef*>(chunks["IDAT"].data()), chunks["IDAT"].size()), Z_OK);
        EXPECT_TRUE(raw.substr(0, size) == rows);
    }
}

TEST(Icon, TheXpmShowsTheSamePixelsAsThePicture)
{
    const std::string folder = GeneratedDataFolder() + "/";
    const RgbPicture picture(ReadFileBytes(folder + artgen::kIconPicture), artgen::kIconSize);
    ASSERT_EQ(picture.Height(), artgen::kIconSize);
    int width = 0, height = 0;
    const std::vector<uint32_t> xpm = ParseXpm(ReadFileBytes(folder + artgen::kIconXpm), &width, &height);
    ASSERT_EQ(width, artgen::kIconSize);
    ASSERT_EQ(height, artgen::kIconSize);
    ASSERT_EQ(xpm.size(), size_t(width * height));
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Pixel p = picture.At(x, y);
            differing += xpm[size_t(y * width + x)] != ((uint32_t(p.r) << 16) | (uint32_t(p.g) << 8) | p.b);
        }
    EXPECT_EQ(differing, 0);
    // Sky, meadow and the player on it: no black, which a window manager may
    // show as a hole.
    EXPECT_EQ(picture.CountOpaque(0, 0, width, height), width * height);
}

TEST(DesktopEntry, StartsTheGameFromItsFolderWithItsIcon)
{
    TempDir dir;
    const std::string folder = "my \"games\" $HOME a\\b 100%";
    const std::string game = dir.File(folder);
    ASSERT_EQ(mkdir(game.c_str(), 0755), 0);
    dir.Write(folder + "/bruvo", "#!/bin/sh\n");
    ASSERT_EQ(chmod((game + "/bruvo").c_str(), 0755), 0);
    ChildProgram script({BRUVO_SOURCE_DIR "/tools/install-desktop-entry.sh", game}, dir.Path(),
                        {"XDG_DATA_HOME=" + dir.File("data")});
    ASSERT_TRUE(script.WaitExit(10000));
    ASSERT_EQ(script.ExitStatus(), 0);
    const std::string entry = dir.Read("data/applications/bruvo-stage-krodel.desktop");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\nName=Bruvo Stage Krodel\n", 0), 0u) << entry;
    // Quoted argument first (\ to \\, " to \", $ to \$, % to %%), then the
    // string escape, which doubles every backslash.
    EXPECT_NE(entry.find("\nExec=\"" + dir.Path() + "/my \\\\\"games\\\\\" \\\\$HOME a\\\\\\\\b 100%%/bruvo\"\n"),
              std::string::npos)
        << entry;
    const std::string escapedGame = dir.Path() + "/my \"games\" $HOME a\\\\b 100%";
    EXPECT_NE(entry.find("\nPath=" + escapedGame + "\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=" + escapedGame + "/Data/icon.xpm\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nStartupWMClass=Bruvo.exe\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nCategories=Game;"), std::string::npos) << entry;

    // Without the game in the folder it refuses.
    ChildProgram refused({BRUVO_SOURCE_DIR "/tools/install-desktop-entry.sh", dir.File("nothing")}, dir.Path());
    ASSERT_TRUE(refused.WaitExit(10000));
    EXPECT_EQ(refused.ExitStatus(), 2);
}
