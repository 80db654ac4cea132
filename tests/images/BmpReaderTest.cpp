#include "gui/images/BmpReader.h"
#include "support/FileUtil.h"
#include "support/StringUtil.h"
#include "tests/common/TempDir.h"
#include "tests/images/BmpFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::string LastLogLine()
{
    std::string log = ReadFileBytes("log.txt");
    if (!log.empty() && log.back() == '\n')
        log.pop_back();
    const size_t cut = log.rfind('\n');
    return cut == std::string::npos ? log : log.substr(cut + 1);
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::vector<unsigned char> Bytes(const RgbPicture& picture)
{
    return std::vector<unsigned char>(picture.rgb.get(), picture.rgb.get() + picture.Bytes());
}

uint32_t Rgb24(int32_t x, int32_t y)
{
    return static_cast<uint32_t>(0x100000 * (x + 1) + 0x000100 * (y + 1) + 0x10 * x + y);
}

class BmpReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Enter();
        MakeDirectory("Data");
    }
    TempDir dir;
};

TEST_F(BmpReaderTest, Reads24BitRowsTopDownAcrossRowPadding)
{
    // 3 pixels of 3 bytes: each stored row carries 3 bytes of padding.
    dir.Write("Data/p.bmp", BuildBmp(24, 3, 2, {}, Rgb24));
    RgbPicture picture = ReadBmp24("Data/p.bmp");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.height, 2);
    std::vector<unsigned char> expected;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const uint32_t v = Rgb24(x, y);
            expected.insert(expected.end(), {static_cast<unsigned char>(v >> 16),
                                             static_cast<unsigned char>(v >> 8),
                                             static_cast<unsigned char>(v)});
        }
    EXPECT_EQ(Bytes(picture), expected);
}

TEST_F(BmpReaderTest, Reads8BitIndicesThroughTheColourTable)
{
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    dir.Write("Data/p.bmp", BuildBmp(8, 5, 3, palette, [](int32_t x, int32_t y) { return uint32_t((x + y) % 4); }));
    RgbPicture picture = ReadBmp8("Data/p.bmp");
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture.Bytes(), 5u * 3u * 3u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t v = palette[(x + y) % 4];
            const unsigned char* p = picture.rgb.get() + (y * 5 + x) * 3;
            EXPECT_EQ(p[0], v >> 16) << x << "," << y;
            EXPECT_EQ(p[1], (v >> 8) & 0xFF) << x << "," << y;
            EXPECT_EQ(p[2], v & 0xFF) << x << "," << y;
        }
}

std::string Repeated(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// A two-entry table is padded to the 16 entries a PaletteImage reads.
TEST_F(BmpReaderTest, Reads4BitOddWidthAndExportsTheSourceText)
{
    // Top row 1 0 1, bottom row 0 1 0; the unused low nibble of each row's
    // last byte is 0xF, an index the two-entry table does not have.
    std::string file = BuildBmp(4, 3, 2, {0x112233, 0xAABBCC},
                                [](int32_t x, int32_t y) { return uint32_t((x + y + 1) % 2); });
    file[54 + 8 + 1] = static_cast<char>(file[54 + 8 + 1] | 0x0F);
    file[54 + 8 + 4 + 1] = static_cast<char>(file[54 + 8 + 4 + 1] | 0x0F);
    dir.Write("Data/x.bmp", file);
    dir.Write("Data/x.bmp.c", "old text that must go");

    RgbPicture picture = ReadBmp4("Data/x.bmp");
    ASSERT_TRUE(picture);
    const std::vector<unsigned char> expected = {0xAA, 0xBB, 0xCC, 0x11, 0x22, 0x33, 0xAA, 0xBB, 0xCC,
                                                 0x11, 0x22, 0x33, 0xAA, 0xBB, 0xCC, 0x11, 0x22, 0x33};
    EXPECT_EQ(Bytes(picture), expected);
    EXPECT_EQ(dir.Read("Data/x.bmp.c"),
              "int wX = 3;\nint hX = 2;\n\nchar imgX[] = {\n"
              "0x11,0x22,0x33,0xAA,0xBB,0xCC," + Repeated("0x00,", 42) + "\n"
              "0x01,0x0F,\n"
              "0x10,0x1F,\n"
              "};\n\n");
}

TEST_F(BmpReaderTest, ExportAlwaysHas16PaletteEntries)
{
    // 256 entries in the table of a 4-bit file: only 16 can be indexed.
    std::vector<uint32_t> palette(256, 0x445566);
    dir.Write("Data/x.bmp", BuildBmp(4, 2, 1, palette, [](int32_t, int32_t) { return 1u; }));
    ASSERT_TRUE(ReadBmp4("Data/x.bmp"));
    const std::vector<std::string> lines = Split(dir.Read("Data/x.bmp.c"), "\n");
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(Count(lines[4], "0x"), 48u) << lines[4];
}

TEST_F(BmpReaderTest, ExportOfASixteenColourFileHas48PaletteValues)
{
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < 16; ++i)
        palette.push_back(i * 0x101010);
    dir.Write("Data/x.bmp", BuildBmp(4, 20, 20, palette, [](int32_t x, int32_t y) { return uint32_t(x ^ y); }));
    ASSERT_TRUE(ReadBmp4("Data/x.bmp"));
    const std::vector<std::string> lines = Split(dir.Read("Data/x.bmp.c"), "\n");
    ASSERT_GE(lines.size(), 5u + 20u + 1u);
    EXPECT_EQ(lines[0], "int wX = 20;");
    EXPECT_EQ(lines[1], "int hX = 20;");
    EXPECT_EQ(lines[3], "char imgX[] = {");
    EXPECT_EQ(Count(lines[4], "0x"), 48u) << lines[4];
    EXPECT_EQ(lines[4].substr(0, 20), "0x00,0x00,0x00,0x10,");
    EXPECT_EQ(Count(lines[5], "0x"), 10u) << "a stored row is 10 bytes without padding";
    EXPECT_EQ(lines[25], "};");
}

TEST_F(BmpReaderTest, SourceTextNameDropsFolderAndExtension)
{
    EXPECT_EQ(SourceTextName("Data/x.bmp"), "X");
    EXPECT_EQ(SourceTextName("a/check.on.bmp"), "CHECK.ON");
    EXPECT_EQ(SourceTextName("plain"), "PLAIN");
}

TEST_F(BmpReaderTest, LastRowWithoutItsPaddingIsAccepted)
{
    std::string file = BuildBmp(24, 3, 2, {}, Rgb24);
    file.resize(file.size() - 3);
    dir.Write("Data/p.bmp", file);
    EXPECT_TRUE(ReadBmp24("Data/p.bmp"));
}

TEST_F(BmpReaderTest, HeaderFieldsAfterTheFirst40BytesAreSkipped)
{
    // A 56-byte information header: the colour table starts after it.
    std::string file = BuildBmp(8, 2, 1, {0x102030, 0x405060}, [](int32_t x, int32_t) { return uint32_t(x); });
    file.insert(54, 16, '\x7F');
    PutU32(file, 14, 56);
    PutU32(file, 10, 54 + 16 + 8);
    dir.Write("Data/p.bmp", file);
    RgbPicture picture = ReadBmp8("Data/p.bmp");
    ASSERT_TRUE(picture);
    EXPECT_EQ(Bytes(picture), (std::vector<unsigned char>{0x10, 0x20, 0x30, 0x40, 0x50, 0x60}));
}

struct Broken {
    const char* what;
    int bits;
    std::function<void(std::string&)> damage;
    std::string reason;
};

std::string Good(int bits)
{
    const std::vector<uint32_t> palette = bits == 24 ? std::vector<uint32_t>() : std::vector<uint32_t>{0, 0xFFFFFF};
    return BuildBmp(bits, 3, 2, palette, [](int32_t x, int32_t) { return uint32_t(x % 2); });
}

TEST_F(BmpReaderTest, BrokenFilesGiveOneLogLineAndNoPicture)
{
    const std::vector<Broken> cases = {
        {"short", 24, [](std::string& f) { f.resize(10); }, "shorter than the 54-byte header (10 bytes)"},
        {"signature", 24, [](std::string& f) { f[0] = 'X'; }, "no BM signature"},
        {"info size", 24, [](std::string& f) { PutU32(f, 14, 12); }, "information header of 12 bytes"},
        {"info size past end", 24, [](std::string& f) { PutU32(f, 14, 0xFFFFFFF0u); },
         "information header of 4294967280 bytes"},
        {"depth", 24, [](std::string& f) { PutU16(f, 28, 8); }, "8 bits per pixel, expected 24"},
        {"compressed", 8, [](std::string& f) { PutU32(f, 30, 1); },
         "compressed (method 1), only uncompressed files are read"},
        {"negative height", 24, [](std::string& f) { PutU32(f, 22, static_cast<uint32_t>(-2)); },
         "dimensions 3 x -2 out of range (1 to 16384 a side, at most 33554432 pixels)"},
        {"zero width", 8, [](std::string& f) { PutU32(f, 18, 0); },
         "dimensions 0 x 2 out of range (1 to 16384 a side, at most 33554432 pixels)"},
        {"absurd width", 4, [](std::string& f) { PutU32(f, 18, 0x7FFFFFFF); },
         "dimensions 2147483647 x 2 out of range (1 to 16384 a side, at most 33554432 pixels)"},
        {"absurd area", 24, [](std::string& f) { PutU32(f, 18, 16384); PutU32(f, 22, 16384); },
         "dimensions 16384 x 16384 out of range (1 to 16384 a side, at most 33554432 pixels)"},
        {"offset in header", 24, [](std::string& f) { PutU32(f, 10, 20); }, "pixel data offset 20 inside the header"},
        {"offset past end", 8, [](std::string& f) { PutU32(f, 10, 5000); },
         "pixel data offset 5000 past the end of the file (70 bytes)"},
        {"big colour table", 8, [](std::string& f) { f.resize(54 + 2000 + 8, '\0'); PutU32(f, 10, 54 + 2000); },
         "colour table of 2000 bytes (at most 1024)"},
        {"no colour table", 4, [](std::string& f) { PutU32(f, 10, 54); }, "no colour table"},
        {"truncated rows", 24, [](std::string& f) { f.resize(f.size() - 4); }, "holds 74 bytes, its 2 rows need 75"},
        {"rows claimed", 8, [](std::string& f) { PutU32(f, 22, 1000); }, "holds 70 bytes, its 1000 rows need 4061"},
        {"index 8", 8, [](std::string& f) { f[62] = 7; }, "pixel index 7 outside the colour table of 2 entries"},
        {"index 4", 4, [](std::string& f) { f[62] = 0x31; }, "pixel index 3 outside the colour table of 2 entries"},
    };
    for (const Broken& c : cases) {
        std::string file = Good(c.bits);
        c.damage(file);
        dir.Write("Data/b.bmp", file);
        RgbPicture picture = c.bits == 24 ? ReadBmp24("Data/b.bmp") : c.bits == 8 ? ReadBmp8("Data/b.bmp")
                                                                               : ReadBmp4("Data/b.bmp");
        EXPECT_FALSE(picture) << c.what;
        EXPECT_EQ(LastLogLine(), "ReadBmp" + std::to_string(c.bits) + ": Data/b.bmp: " + c.reason) << c.what;
    }
    EXPECT_FALSE(FileExists("Data/b.bmp.c")) << "a 4-bit file that fails exports nothing";
}

TEST_F(BmpReaderTest, MissingFileOrFolderIsReported)
{
    EXPECT_FALSE(ReadBmp8("Data/none.bmp"));
    EXPECT_EQ(LastLogLine(), "ReadBmp8: Data/none.bmp: cannot be opened");
    EXPECT_FALSE(ReadBmp24("Data"));
    EXPECT_EQ(LastLogLine(), "ReadBmp24: Data: not a regular file");
}

TEST_F(BmpReaderTest, ExportThatCannotBeWrittenIsLoggedAndThePictureKept)
{
    dir.Write("Data/x.bmp", Good(4));
    MakeDirectory("Data/x.bmp.c");  // a folder cannot be replaced by the text
    MakeDirectory("Data/x.bmp.c/keep");
    EXPECT_TRUE(ReadBmp4("Data/x.bmp"));
    EXPECT_EQ(LastLogLine(), "ReadBmp4: Data/x.bmp.c: cannot be written");
}

}  // namespace
