// gtest first: the X headers define macros (None, Bool) that clash with it.
#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

#include "tests/common/XTestSupport.h"
#include "tests/world/WorldDriver.h"

#include <X11/Xutil.h>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

GameFixture::GameFixture(GameInput input)
{
    dir.Enter();
    // Data/ is a folder of links to the generated files, so a test may take one away.
    mkdir("Data", 0777);
    const char* gameDir = std::getenv("BRUVO_GAME_DIR");
    const std::string source = std::string(gameDir != nullptr ? gameDir : "") + "/Data";
    if (gameDir == nullptr || !IsFolder(source)) {
        ADD_FAILURE() << "no generated Data/ at " << source << ": build the bruvo target first";
        return;
    }
    if (DIR* folder = opendir(source.c_str())) {
        while (dirent* entry = readdir(folder)) {
            // Files only: a table folder left by a played game stays out.
            const std::string name = entry->d_name;
            if (entry->d_type == DT_REG) {
                EXPECT_EQ(symlink((source + "/" + name).c_str(), ("Data/" + name).c_str()), 0);
            }
        }
        closedir(folder);
    }

    const char* home = std::getenv("HOME");
    oldHome = home != nullptr ? home : "";
    setenv("HOME", dir.Path().c_str(), 1);
    dir.Write(".asoundrc", "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"| cat >> '" +
                               dir.File("played.raw") + "'\"\n  format \"raw\"\n}\n");
    dir.Write("joystick.cfg", "JoystickEnable= 0\n");

    app = xtest::App();
    if (app->GetDisplay() == nullptr)
        return;
    game = new TestGame(app, "Bruvo Stage Krodel test", std::move(input));
    game->Show();
    XSync(app->GetDisplay(), False);
    game->Paint();  // the first paint runs RunApp: a second of loading, then the title
    for (int i = 0; i < 200 && W().GetGameState() == GameState::Loading; ++i)
        Tick();
}

GameFixture::~GameFixture()
{
    delete game;
    if (!oldHome.empty())
        setenv("HOME", oldHome.c_str(), 1);
}

void GameFixture::Tick(int count)
{
    for (int i = 0; i < count; ++i)
        game->OnTick();
}

void GameFixture::StartGameAt(int32_t level)
{
    W().StartGame(level);
    Tick();
}

void GameFixture::SkipWait()
{
    for (int i = 0; i < 10000 && W().IsWaiting(); ++i)
        W().Step(StepInput{});
    Tick();
}

void GameFixture::LeaveOneLife()
{
    while (W().GetLives() > 1) {
        W().PlayerDies();
        SkipWait();
    }
}

void GameFixture::LoseTheGame(int32_t level, int32_t score)
{
    W().StartGame(level);
    W().AddScore(score);
    LeaveOneLife();
    W().PlayerDies();
    Tick();
}

void GameFixture::StandAt(int32_t x)
{
    FreezeEnemies(W().Field());
    PlacePlayer(W().Field(), x, 518);
    Tick();
}

size_t GameFixture::PlayedBytes()
{
    size_t last = static_cast<size_t>(-1);
    for (int i = 0; i < 40; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const size_t now = Read("played.raw").size();
        if (now == last && now > 0)
            return now;
        last = now;
    }
    return Read("played.raw").size();
}

size_t GameFixture::WavDataBytes(const std::string& path) const
{
    const std::string wav = ReadFileBytes(dir.File(path));
    return wav.size() > 44 ? wav.size() - 44 : 0;
}

bool GameFixture::LayerShowsFile(XImage* layer, const std::string& path) const
{
    const std::string rgb = ReadFileBytes(dir.File(path));
    if (layer == nullptr || rgb.size() < 800u * 640u * 3u)
        return false;
    // Every 7th pixel of the picture, below the status line.
    for (size_t i = 800 * 40; i < 800u * 640u; i += 7) {
        const int32_t x = static_cast<int32_t>(i % 800), y = static_cast<int32_t>(i / 800);
        const uint32_t want = (uint32_t(uint8_t(rgb[i * 3])) << 16) | (uint32_t(uint8_t(rgb[i * 3 + 1])) << 8) |
                              uint32_t(uint8_t(rgb[i * 3 + 2]));
        if (Pixel(layer, x, y) != want)
            return false;
    }
    return true;
}

uint32_t GameFixture::Pixel(XImage* image, int32_t x, int32_t y)
{
    if (image == nullptr || x < 0 || y < 0 || x >= image->width || y >= image->height) {
        ADD_FAILURE() << "no picture pixel at " << x << ", " << y;
        return 0xFFFFFFFF;
    }
    return static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
}
