#include "tests/game/GameFormSupport.h"

#include "gui/images/Picture.h"

#include <sys/stat.h>

#include <cstring>

namespace gametest {

GameFormTest::GameFormTest() { folder.Enter(); }

GameFormTest::~GameFormTest()
{
    for (XImage* picture : pictures)
        DestroyImage(picture);
    delete form;
}

void GameFormTest::SetUp()
{
    BRUVO_SKIP_WITHOUT_DISPLAY();
    mkdir("Data", 0777);
}

TestForm* GameFormTest::MakeForm(bool ready)
{
    form = new TestForm();
    XSync(App()->GetDisplay(), False);
    if (ready)
        form->Paint();
    return form;
}

void GameFormTest::WritePicture(const std::string& path, int32_t width, int32_t height,
                                const ColourAt& colour, size_t keepBytes) const
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(width) * height * 3);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t rgb = colour(x, y);
            bytes.push_back(static_cast<char>(rgb >> 16));
            bytes.push_back(static_cast<char>(rgb >> 8));
            bytes.push_back(static_cast<char>(rgb));
        }
    folder.Write(path, bytes.substr(0, keepBytes));
}

uint32_t GameFormTest::Background(int32_t x, int32_t y)
{
    const uint32_t red = 0x40u | static_cast<uint32_t>(x >> 8) | (static_cast<uint32_t>(y >> 8) << 4);
    return (red << 16) | (static_cast<uint32_t>(x & 0xFF) << 8) | static_cast<uint32_t>(y & 0xFF);
}

void GameFormTest::LoadBackground()
{
    WritePicture("Data/back.bin", 800, 640, Background);
    form->RenderSfondo("Data/back.bin");
    form->ComposeBackdrop();
    ASSERT_NE(form->GetScreenBuffer(), nullptr);
}

XImage* GameFormTest::MakePicture(int32_t width, int32_t height, const ColourAt& colour)
{
    std::vector<unsigned char> rgb;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t value = colour(x, y);
            rgb.push_back(static_cast<unsigned char>(value >> 16));
            rgb.push_back(static_cast<unsigned char>(value >> 8));
            rgb.push_back(static_cast<unsigned char>(value));
        }
    XImage* picture = CreateImageFromRgb(form, rgb.data(), width, height, rgb.size());
    pictures.push_back(picture);
    return picture;
}

uint32_t PixelOf(const XImage* image, int32_t x, int32_t y)
{
    return static_cast<uint32_t>(XGetPixel(const_cast<XImage*>(image), x, y)) & 0xFFFFFF;
}

uint32_t PixelOfBytes(const std::string& snapshot, const XImage* like, int32_t x, int32_t y)
{
    const size_t at = static_cast<size_t>(y) * like->bytes_per_line + static_cast<size_t>(x) * (like->bits_per_pixel / 8);
    auto byte = [&](int32_t index) { return static_cast<uint32_t>(static_cast<unsigned char>(snapshot[at + index])); };
    return (byte(VisualLayout.ixRosso) << 16) | (byte(VisualLayout.ixVerde) << 8) | byte(VisualLayout.ixBlu);
}

std::string Snapshot(const XImage* image)
{
    return std::string(image->data, static_cast<size_t>(image->bytes_per_line) * image->height);
}

std::vector<std::string> Differences(const XImage* a, const XImage* b, size_t max)
{
    std::vector<std::string> found;
    for (int32_t y = 0; y < a->height && found.size() < max; ++y)
        for (int32_t x = 0; x < a->width && found.size() < max; ++x)
            if (PixelOf(a, x, y) != PixelOf(b, x, y))
                found.push_back(std::to_string(x) + "," + std::to_string(y));
    return found;
}

}  // namespace gametest
