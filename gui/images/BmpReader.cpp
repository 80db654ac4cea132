#include "gui/images/BmpReader.h"

#include "gui/images/PaletteImage.h"
#include "support/FileUtil.h"
#include "support/Log.h"
#include "support/StringUtil.h"
#include "support/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kRowAlignment = 4;  // bytes: stored rows are padded to this
constexpr size_t kColourEntryBytes = 4;
constexpr size_t kMaxColourEntries = kBmpMaxColourTableBytes / kColourEntryBytes;
static_assert(kMaxColourEntries == 256, "an 8-bit index reaches every entry");

uint32_t U32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t U16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Where the parts of a checked file lie.
struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;
    size_t colourTable = 0;    // offset of the first entry
    size_t colourEntries = 0;
    size_t pixelOffset = 0;
    size_t storedRowBytes = 0;  // without the padding
    size_t paddedRowBytes = 0;
    size_t end = 0;             // one past the last pixel byte used
};

size_t StoredRowBytes(int bits, int32_t width)
{
    const size_t w = static_cast<size_t>(width);
    return bits == 24 ? w * 3 : bits == 8 ? w : (w + 1) / 2;
}

// An empty text when the header fits the size of the file; the reason otherwise.
std::string CheckHeader(const unsigned char* file, size_t size, int bits, BmpLayout& layout)
{
    if (bits != 24 && bits != 8 && bits != 4)
        return std::to_string(bits) + " bits per pixel cannot be read";
    if (size < kBmpHeaderBytes)
        return "shorter than the 54-byte header (" + std::to_string(size) + " bytes)";
    if (file[0] != 'B' || file[1] != 'M')
        return "no BM signature";
    const uint32_t infoBytes = U32(file + 14);
    if (infoBytes < kBmpMinInfoBytes || infoBytes > size - kBmpFileHeaderBytes)
        return "information header of " + std::to_string(infoBytes) + " bytes";
    const uint16_t fileBits = U16(file + 28);
    if (fileBits != bits)
        return std::to_string(fileBits) + " bits per pixel, expected " + std::to_string(bits);
    const uint32_t compression = U32(file + 30);
    if (compression != 0)
        return "compressed (method " + std::to_string(compression) + "), only uncompressed files are read";
    const int32_t width = static_cast<int32_t>(U32(file + 18));
    const int32_t height = static_cast<int32_t>(U32(file + 22));
    if (width < 1 || height < 1 || width > kBmpMaxSide || height > kBmpMaxSide ||
        int64_t{width} * height > kBmpMaxPixels)
        return "dimensions " + std::to_string(width) + " x " + std::to_string(height) +
               " out of range (1 to " + std::to_string(kBmpMaxSide) + " a side, at most " +
               std::to_string(kBmpMaxPixels) + " pixels)";

    const size_t headerEnd = kBmpFileHeaderBytes + infoBytes;
    const uint32_t offset = U32(file + 10);
    if (offset < headerEnd)
        return "pixel data offset " + std::to_string(offset) + " inside the header";
    if (offset > size)
        return "pixel data offset " + std::to_string(offset) + " past the end of the file (" +
               std::to_string(size) + " bytes)";
    const size_t tableBytes = offset - headerEnd;
    if (bits != 24) {
        if (tableBytes > kBmpMaxColourTableBytes)
            return "colour table of " + std::to_string(tableBytes) + " bytes (at most 1024)";
        if (tableBytes < kColourEntryBytes)
            return "no colour table";
    }

    layout.width = width;
    layout.height = height;
    layout.colourTable = headerEnd;
    layout.colourEntries = bits == 24 ? 0 : tableBytes / kColourEntryBytes;
    layout.pixelOffset = offset;
    layout.storedRowBytes = StoredRowBytes(bits, width);
    layout.paddedRowBytes = (layout.storedRowBytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
    // The last row need not carry its padding.
    const uint64_t need = uint64_t{offset} + uint64_t(height - 1) * layout.paddedRowBytes +
                          layout.storedRowBytes;
    if (need > size)
        return "holds " + std::to_string(size) + " bytes, its " + std::to_string(height) +
               " rows need " + std::to_string(need);
    layout.end = static_cast<size_t>(need);
    return std::string();
}

std::string IndexError(unsigned index, size_t entries)
{
    return "pixel index " + std::to_string(index) + " outside the colour table of " +
           std::to_string(entries) + " entries";
}

// The colour table as R, G, B triples; entries the file lacks stay black.
std::vector<unsigned char> RgbPalette(const unsigned char* file, const BmpLayout& layout)
{
    std::vector<unsigned char> palette(kMaxColourEntries * 3, 0);
    for (size_t i = 0; i < layout.colourEntries; ++i) {
        const unsigned char* entry = file + layout.colourTable + i * kColourEntryBytes;
        palette[i * 3] = entry[2];
        palette[i * 3 + 1] = entry[1];
        palette[i * 3 + 2] = entry[0];
    }
    return palette;
}

void AppendHex(std::string& text, unsigned char byte)
{
    text += "0x";
    text += ByteToHex(byte);
    text += ',';
}

std::string SourceText(const unsigned char* file, const BmpLayout& layout, const std::string& name)
{
    std::string text = "int w" + name + " = " + std::to_string(layout.width) + ";\n";
    text += "int h" + name + " = " + std::to_string(layout.height) + ";\n\n";
    text += "char img" + name + "[] = {\n";
    // Always the 16 entries a PaletteImage reads: a shorter table is padded
    // with black, entries a 4-bit index cannot reach are left out.
    for (size_t i = 0; i < static_cast<size_t>(kPaletteEntries); ++i) {
        if (i < layout.colourEntries) {
            const unsigned char* entry = file + layout.colourTable + i * kColourEntryBytes;
            AppendHex(text, entry[2]);
            AppendHex(text, entry[1]);
            AppendHex(text, entry[0]);
        } else {
            for (int channel = 0; channel < 3; ++channel)
                AppendHex(text, 0);
        }
    }
    text += '\n';
    for (int32_t r = 0; r < layout.height; ++r) {
        const unsigned char* row = file + layout.pixelOffset + static_cast<size_t>(r) * layout.paddedRowBytes;
        for (size_t i = 0; i < layout.storedRowBytes; ++i)
            AppendHex(text, row[i]);
        text += '\n';
    }
    text += "};\n";
    return text;
}

// Stored rows come bottom row first; output row height - 1 - r receives row r.
std::string DecodeRows(const unsigned char* file, const BmpLayout& layout, int bits, unsigned char* rgb)
{
    const std::vector<unsigned char> palette = bits == 24 ? std::vector<unsigned char>() : RgbPalette(file, layout);
    const size_t outRow = static_cast<size_t>(layout.width) * 3;
    for (int32_t r = 0; r < layout.height; ++r) {
        const unsigned char* in = file + layout.pixelOffset + static_cast<size_t>(r) * layout.paddedRowBytes;
        unsigned char* out = rgb + static_cast<size_t>(layout.height - 1 - r) * outRow;
        if (bits == 24) {
            for (int32_t x = 0; x < layout.width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        } else if (bits == 8) {
            for (int32_t x = 0; x < layout.width; ++x, ++in, out += 3) {
                if (*in >= layout.colourEntries)
                    return IndexError(*in, layout.colourEntries);
                const unsigned char* entry = palette.data() + size_t{*in} * 3;
                out[0] = entry[0];
                out[1] = entry[1];
                out[2] = entry[2];
            }
        } else {
            for (int32_t x = 0; x < layout.width; ++x) {
                const unsigned index = (x % 2 == 0) ? (in[x / 2] >> 4) : (in[x / 2] & 0x0F);
                if (index >= layout.colourEntries)
                    return IndexError(index, layout.colourEntries);
            }
            DecodeNibbleRow(in, layout.width, palette.data(), out);
        }
    }
    return std::string();
}

void Fail(const char* reader, const std::string& path, const std::string& reason)
{
    WriteLog(std::string(reader) + ": " + path + ": " + reason);
}

// Reads bytes [got, end) of the open file into bytes, which holds end bytes.
bool ReadRange(int fd, std::vector<unsigned char>& bytes, size_t got, size_t end)
{
    while (got < end) {
        const ssize_t n = read(fd, bytes.data() + got, end - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += static_cast<size_t>(n);
    }
    return true;
}

// Reads the file up to the end of its pixel rows, checking the header first
// so that no more than the header promises (and the file holds) is read.
// An empty text on success, the reason otherwise.
std::string ReadChecked(int fd, int bits, std::vector<unsigned char>& bytes)
{
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return "not a regular file";
    const size_t size = static_cast<size_t>(info.st_size);
    bytes.resize(size < kBmpHeaderBytes ? size : kBmpHeaderBytes);
    if (!ReadRange(fd, bytes, 0, bytes.size()))
        return "cannot be read";
    BmpLayout layout;
    const std::string reason = CheckHeader(bytes.data(), size, bits, layout);
    if (!reason.empty())
        return reason;
    const size_t header = bytes.size();
    bytes.resize(layout.end);
    if (!ReadRange(fd, bytes, header, layout.end))
        return "cannot be read";
    return std::string();
}

RgbPicture ReadBmp(const char* reader, const std::string& path, int bits, std::string* sourceText)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail(reader, path, "cannot be opened");
        return RgbPicture();
    }
    std::vector<unsigned char> bytes;
    std::string reason = ReadChecked(fd, bits, bytes);
    close(fd);
    if (!reason.empty()) {
        Fail(reader, path, reason);
        return RgbPicture();
    }
    RgbPicture picture = DecodeBmp(bytes.data(), bytes.size(), bits, &reason, sourceText,
                                   SourceTextName(path));
    if (!picture)
        Fail(reader, path, reason);
    return picture;
}

}  // namespace

RgbPicture DecodeBmp(const unsigned char* file, size_t size, int bitsPerPixel, std::string* error,
                     std::string* sourceText, const std::string& name)
{
    BmpLayout layout;
    std::string reason = file == nullptr ? std::string("no data") : CheckHeader(file, size, bitsPerPixel, layout);
    RgbPicture picture;
    if (reason.empty()) {
        picture.rgb.reset(new unsigned char[static_cast<size_t>(layout.width) * layout.height * 3]);
        picture.width = layout.width;
        picture.height = layout.height;
        reason = DecodeRows(file, layout, bitsPerPixel, picture.rgb.get());
    }
    if (!reason.empty()) {
        if (error != nullptr)
            *error = reason;
        return RgbPicture();
    }
    if (bitsPerPixel == 4 && sourceText != nullptr)
        *sourceText = SourceText(file, layout, name);
    return picture;
}

std::string SourceTextName(const std::string& path)
{
    std::string name = FileNamePart(path);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return ToUpper(name);
}

RgbPicture ReadBmp24(const std::string& path)
{
    return ReadBmp("ReadBmp24", path, 24, nullptr);
}

RgbPicture ReadBmp8(const std::string& path)
{
    return ReadBmp("ReadBmp8", path, 8, nullptr);
}

RgbPicture ReadBmp4(const std::string& path)
{
    std::string text;
    RgbPicture picture = ReadBmp("ReadBmp4", path, 4, &text);
    if (!picture)
        return picture;
    const std::string output = path + ".c";
    if (FileExists(output))
        RemoveFile(output);
    TextFile file(output);
    if (!file.WriteLines({text}))
        WriteLog("ReadBmp4: " + output + ": cannot be written");
    return picture;
}
