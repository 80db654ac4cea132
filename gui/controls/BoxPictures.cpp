#include "gui/controls/BoxPictures.h"

#include "gui/images/PaletteImage.h"
#include "gui/images/Picture.h"

#include <array>

namespace {

constexpr int32_t kSide = kBoxPictureSide;
constexpr int32_t kRowBytes = kSide / 2;  // two 4-bit pixels a byte
constexpr int32_t kPixelBytes = kRowBytes * kSide;

// Palette indices of the pictures.
enum Shade : unsigned char {
    kKey = 0,        // black: the option boxes' corners
    kWhite = 1,
    kShadow = 2,     // outer top-left edge
    kDeepShadow = 3, // inner top-left edge
    kLight = 4,      // inner bottom-right edge
    kGreyInside = 5, // inside of a disabled box
    kMark = 6,       // tick or dot; not black, which an option box's drawing keys out
    kGreyMark = 7,   // tick or dot of a disabled box
};

constexpr unsigned char kPalette[kPaletteBytes] = {
    0x00, 0x00, 0x00,  0xFF, 0xFF, 0xFF,  0x80, 0x80, 0x80,  0x40, 0x40, 0x40,
    0xD4, 0xD0, 0xC8,  0xC0, 0xC0, 0xC0,  0x20, 0x20, 0x20,  0x8A, 0x8A, 0x8A,
};

constexpr unsigned char Inside(bool enabled) { return enabled ? kWhite : kGreyInside; }
constexpr unsigned char MarkOf(bool enabled) { return enabled ? kMark : kGreyMark; }

// The tick: two strokes three pixels thick, down-right from (5, 9) to (8, 12)
// and up-right from there to (14, 6).
constexpr bool OnTick(int32_t x, int32_t y)
{
    const bool down = x >= 5 && x <= 8 && y - x >= 4 && y - x <= 6;
    const bool up = x >= 8 && x <= 14 && x + y >= 20 && x + y <= 22;
    return down || up;
}

constexpr unsigned char CheckPixel(int32_t x, int32_t y, bool on, bool enabled)
{
    if (x == kSide - 1 || y == kSide - 1)
        return kWhite;
    if (x == 0 || y == 0)
        return kShadow;
    if (x == kSide - 2 || y == kSide - 2)
        return kLight;
    if (x == 1 || y == 1)
        return kDeepShadow;
    return on && OnTick(x, y) ? MarkOf(enabled) : Inside(enabled);
}

// Distances in half pixels from the centre (9.5, 9.5), squared.
constexpr unsigned char OptionPixel(int32_t x, int32_t y, bool on, bool enabled)
{
    const int32_t dx = 2 * x + 1 - kSide, dy = 2 * y + 1 - kSide;
    const int32_t d2 = dx * dx + dy * dy;
    if (d2 > 19 * 19)
        return kKey;
    if (d2 > 15 * 15)  // the two-pixel ring: shadow top-left, light bottom-right
        return dx + dy < 0 ? (d2 > 17 * 17 ? kShadow : kDeepShadow) : (d2 > 17 * 17 ? kWhite : kLight);
    return on && d2 <= 7 * 7 ? MarkOf(enabled) : Inside(enabled);
}

// Rows stored bottom first, high nibble left.
template <typename PixelFn>
constexpr std::array<unsigned char, kPixelBytes> Encode(PixelFn pixel, bool on, bool enabled)
{
    std::array<unsigned char, kPixelBytes> bytes{};
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; x += 2) {
            const int32_t stored = (kSide - 1 - y) * kRowBytes + x / 2;
            bytes[static_cast<size_t>(stored)] =
                static_cast<unsigned char>(pixel(x, y, on, enabled) << 4 | pixel(x + 1, y, on, enabled));
        }
    return bytes;
}

constexpr auto kCheck = [](int32_t x, int32_t y, bool on, bool enabled) { return CheckPixel(x, y, on, enabled); };
constexpr auto kOption = [](int32_t x, int32_t y, bool on, bool enabled) { return OptionPixel(x, y, on, enabled); };

constexpr std::array<unsigned char, kPixelBytes> kCheckPixels[4] = {
    Encode(kCheck, true, true), Encode(kCheck, true, false), Encode(kCheck, false, true), Encode(kCheck, false, false)};
constexpr std::array<unsigned char, kPixelBytes> kOptionPixels[4] = {
    Encode(kOption, true, true), Encode(kOption, true, false), Encode(kOption, false, true),
    Encode(kOption, false, false)};
static_assert(sizeof(kCheckPixels[0]) == 200, "20 rows of 10 bytes");
static_assert(kOptionPixels[2][0] == 0 && kOptionPixels[2][kPixelBytes - 1] == 0, "black option corners");

constexpr PaletteImage kCheckRecords[4] = {
    {kPalette, kCheckPixels[0].data(), kSide, kSide}, {kPalette, kCheckPixels[1].data(), kSide, kSide},
    {kPalette, kCheckPixels[2].data(), kSide, kSide}, {kPalette, kCheckPixels[3].data(), kSide, kSide}};
constexpr PaletteImage kOptionRecords[4] = {
    {kPalette, kOptionPixels[0].data(), kSide, kSide}, {kPalette, kOptionPixels[1].data(), kSide, kSide},
    {kPalette, kOptionPixels[2].data(), kSide, kSide}, {kPalette, kOptionPixels[3].data(), kSide, kSide}};

size_t IndexOf(bool on, bool enabled)
{
    return (on ? 0u : 2u) + (enabled ? 0u : 1u);
}

}  // namespace

const PaletteImage* const kCheckBoxPictures[4] = {&kCheckRecords[0], &kCheckRecords[1], &kCheckRecords[2],
                                                  &kCheckRecords[3]};
const PaletteImage* const kOptionBoxPictures[4] = {&kOptionRecords[0], &kOptionRecords[1], &kOptionRecords[2],
                                                   &kOptionRecords[3]};

BoxPictureSet::~BoxPictureSet()
{
    for (XImage* picture : pictures)
        DestroyImage(picture);
}

void BoxPictureSet::Make(GUIElement* element)
{
    if (made)
        return;
    constexpr size_t rgbBytes = static_cast<size_t>(kSide) * kSide * 3;
    for (size_t i = 0; i < 4; ++i) {
        RgbBuffer rgb = DecodePaletteImage(kSide, kSide, sources[i]);
        if (rgb)
            pictures[i] = CreateImageFromRgb(element, rgb.get(), kSide, kSide, rgbBytes);
    }
    made = true;
}

XImage* BoxPictureSet::Get(bool on, bool enabled) const
{
    return pictures[IndexOf(on, enabled)];
}
