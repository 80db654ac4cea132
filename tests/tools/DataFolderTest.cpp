// The generated Data folder as a whole: every file the game reads, at its
// exact size, the same bytes on every run, and the same as the build's copy.
#include "tests/common/TempDir.h"
#include "tests/tools/GeneratedData.h"
#include "tools/artgen/Catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Expected {
    const char* name;
    long bytes;
};

// The files the game opens and the sizes it decodes them at.
const std::vector<Expected> kPictureFiles = {
    {"sfondopre1.bin", 800 * 640 * 3}, {"sfondopre2.bin", 800 * 640 * 3},
    {"sfondopre3.bin", 800 * 640 * 3}, {"sfondo.bin", 800 * 640 * 3},
    {"sfondo2.bin", 800 * 640 * 3},    {"sfondo3.bin", 800 * 640 * 3},
    {"sfondo4.bin", 800 * 640 * 3},    {"sfondo5.bin", 800 * 640 * 3},
    {"blank.bin", 800 * 640 * 3},      {"logo.bin", 800 * 640 * 3},
    {"replay.bin", 800 * 640 * 3},     {"livello.bin", 800 * 640 * 3},
    {"gameover.bin", 800 * 640 * 3},   {"player.bin", 48 * 384 * 3},
    {"tiles.bin", 64 * 640 * 3},       {"money.bin", 24 * 24 * 3},
    {"ape.bin", 40 * 120 * 3},         {"fire.bin", 40 * 360 * 3},
    {"ufo.bin", 40 * 160 * 3},
};
const std::vector<std::string> kSoundFiles = {"beep.wav", "ding.wav", "urlo.wav"};

std::vector<std::string> AllNames() {
    std::vector<std::string> names;
    for (const Expected& e : kPictureFiles) names.push_back(e.name);
    for (const std::string& s : kSoundFiles) names.push_back(s);
    return names;
}

long FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? long(info.st_size) : -1;
}

}  // namespace

TEST(DataFolder, EveryPictureHasItsExactSize) {
    for (const Expected& e : kPictureFiles)
        EXPECT_EQ(FileSize(GeneratedDataFolder() + "/" + e.name), e.bytes) << e.name;
}

TEST(DataFolder, EverySoundIsPresent) {
    for (const std::string& name : kSoundFiles)
        EXPECT_GT(FileSize(GeneratedDataFolder() + "/" + name), 44) << name;
}

TEST(DataFolder, CatalogueListsExactlyTheGameFiles) {
    std::vector<std::string> listed;
    for (const artgen::PictureFile& p : artgen::kPictures) listed.push_back(p.name);
    for (const artgen::SoundFile& s : artgen::kSounds) listed.push_back(s.name);
    EXPECT_EQ(listed, AllNames());
}

TEST(DataFolder, TwoRunsWriteIdenticalBytes) {
    TempDir second;
    std::string error;
    ASSERT_TRUE(artgen::WriteDataFolder(second.File("Data"), &error)) << error;
    for (const std::string& name : AllNames()) {
        const std::string again = ReadFileBytes(second.File("Data/" + name));
        ASSERT_FALSE(again.empty()) << name;
        EXPECT_TRUE(again == ReadFileBytes(GeneratedDataFolder() + "/" + name)) << name << " differs between runs";
        EXPECT_TRUE(again == GeneratedFile(name)) << name << " differs from the drawing in memory";
    }
}

TEST(DataFolder, CreatesMissingParentFolders) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(artgen::WriteDataFolder(dir.File("game/nested/Data"), &error)) << error;
    EXPECT_EQ(FileSize(dir.File("game/nested/Data/logo.bin")), 800L * 640 * 3);
}

TEST(DataFolder, ReportsAFolderThatCannotBeMade) {
    TempDir dir;
    dir.Write("file", "not a folder");
    std::string error;
    EXPECT_FALSE(artgen::WriteDataFolder(dir.File("file/Data"), &error));
    EXPECT_NE(error.find("file/Data"), std::string::npos) << error;
}

// The build writes the folder next to the game; it must hold what the
// generator makes now (a stale or hand-edited copy would fail here).
TEST(DataFolder, BuildCopyMatchesTheGenerator) {
    const char* gameDir = std::getenv("BRUVO_GAME_DIR");
    if (gameDir == nullptr || *gameDir == '\0')
        GTEST_SKIP() << "BRUVO_GAME_DIR is not set: run through ctest to check the build's Data folder";
    for (const std::string& name : AllNames()) {
        const std::string built = ReadFileBytes(std::string(gameDir) + "/Data/" + name);
        ASSERT_FALSE(built.empty()) << name << " missing from " << gameDir << "/Data";
        EXPECT_TRUE(built == GeneratedFile(name)) << name << " differs from the build's copy";
    }
}
