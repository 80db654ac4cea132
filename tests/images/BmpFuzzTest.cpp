// A seeded mutation loop over the BMP decoder and readers: mutated header
// fields, random byte flips and truncations of valid files. Run under the
// sanitizers, any read outside the file's bytes is a report; the checks here
// make sure what is accepted is consistent.
#include "gui/images/BmpReader.h"
#include "tests/common/TempDir.h"
#include "tests/images/BmpFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kDecodeRounds = 6000;  // mutated files per depth, decoded in memory
constexpr int kFileRounds = 300;     // mutated files read through the file readers

std::vector<std::string> Seeds()
{
    std::vector<uint32_t> palette16;
    for (uint32_t i = 0; i < 16; ++i)
        palette16.push_back(i * 0x0F0F0F);
    const BmpPixelFn pattern = [](int32_t x, int32_t y) { return uint32_t(x * 7 + y * 3); };
    const BmpPixelFn index16 = [](int32_t x, int32_t y) { return uint32_t((x + y) % 16); };
    return {BuildBmp(24, 5, 3, {}, pattern), BuildBmp(24, 1, 1, {}, pattern),
            BuildBmp(8, 7, 2, palette16, index16), BuildBmp(8, 4, 4, std::vector<uint32_t>(256, 0x123456), pattern),
            BuildBmp(4, 3, 3, palette16, index16), BuildBmp(4, 8, 1, palette16, index16)};
}

const uint32_t kExtremes[] = {0, 1, 2, 3, 4, 8, 24, 40, 54, 0x7F, 0xFF, 0x400, 0x4000, 0x4001, 0xFFFF,
                              0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF0u};
const size_t kFields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46};

std::string Mutate(std::string file, std::mt19937& random)
{
    const int steps = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < steps; ++i) {
        switch (random() % 5) {
        case 0:  // a header field set to an edge value
            if (file.size() >= 54) {
                const size_t at = kFields[random() % (sizeof kFields / sizeof kFields[0])];
                PutU32(file, at, kExtremes[random() % (sizeof kExtremes / sizeof kExtremes[0])]);
            }
            break;
        case 1:  // a random byte anywhere
            if (!file.empty())
                file[random() % file.size()] = static_cast<char>(random());
            break;
        case 2:  // a random byte in the header or colour table
            if (!file.empty())
                file[random() % std::min<size_t>(file.size(), 120)] = static_cast<char>(random());
            break;
        case 3:  // truncation
            file.resize(random() % (file.size() + 1));
            break;
        default:  // width or height nudged
            if (file.size() >= 54)
                PutU32(file, random() % 2 == 0 ? 18 : 22, static_cast<uint32_t>(random() % 40) - 8);
            break;
        }
    }
    return file;
}

void CheckAccepted(const RgbPicture& picture)
{
    if (!picture)
        return;
    ASSERT_GE(picture.width, 1);
    ASSERT_GE(picture.height, 1);
    ASSERT_LE(picture.width, kBmpMaxSide);
    ASSERT_LE(picture.height, kBmpMaxSide);
}

TEST(BmpFuzzTest, MutatedFilesNeverReadOutsideTheirBytes)
{
    std::mt19937 random(20261207);
    const std::vector<std::string> seeds = Seeds();
    int accepted = 0, refused = 0;
    for (int round = 0; round < kDecodeRounds; ++round) {
        const std::string mutated = Mutate(seeds[round % seeds.size()], random);
        // An exactly sized heap copy, so one byte too far is a sanitizer report.
        std::vector<unsigned char> bytes(mutated.begin(), mutated.end());
        for (int bits : {24, 8, 4}) {
            std::string error, text;
            RgbPicture picture = DecodeBmp(bytes.data(), bytes.size(), bits, &error, &text, "F");
            CheckAccepted(picture);
            if (picture) {
                ++accepted;
                EXPECT_TRUE(error.empty());
            } else {
                ++refused;
                EXPECT_FALSE(error.empty());
            }
        }
    }
    // The loop must reach both sides of the checks to mean anything.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 1000);
}

TEST(BmpFuzzTest, MutatedFilesThroughTheFileReaders)
{
    TempDir dir;
    dir.Enter();
    std::mt19937 random(7);
    const std::vector<std::string> seeds = Seeds();
    for (int round = 0; round < kFileRounds; ++round) {
        dir.Write("f.bmp", Mutate(seeds[round % seeds.size()], random));
        CheckAccepted(ReadBmp24("f.bmp"));
        CheckAccepted(ReadBmp8("f.bmp"));
        CheckAccepted(ReadBmp4("f.bmp"));
    }
}

}  // namespace
