// The game's icon: drawn by the generator, written as the picture the game
// gives the window manager and as the XPM of the desktop entry; and the
// desktop entry itself.
#include "tests/common/Process.h"
#include "tests/common/TempDir.h"
#include "tests/tools/GeneratedData.h"
#include "tools/artgen/Icon.h"

#include <gtest/gtest.h>

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

}  // namespace

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
