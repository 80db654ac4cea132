#include "tests/game/GameFormSupport.h"

#include "app/EventLoop.h"
#include "gui/DrawContext.h"
#include "gui/controls/Timer.h"
#include "gui/images/Picture.h"

#include <dirent.h>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>

namespace gametest {
namespace {

const char* const kNotReadyText = "RenderText(): E' possibile scrivere nel metodo RunApp o nei metodi successivi.";
const char* const kNotReadyImage =
    "RenderImage(file): E' possibile caricare l'immagine nel metodo RunApp o nei metodi successivi.";
const char* const kNotReadySfondo =
    "RenderSfondo(file): E' possibile caricare lo sfondo nel metodo RunApp o nei metodi successivi.";
const char* const kNoSfondo = "RenderSfondo(): E' necessario caricare primo lo sfondo.";
const char* const kSizeFrame = "RipristinaSfondo(): attenzione sizeFrame > size bmpScreenBuffer";

// A small picture whose pixels tell where they came from; (2, 3) and (7, 1) are black.
uint32_t Sample(int32_t x, int32_t y)
{
    if ((x == 2 && y == 3) || (x == 7 && y == 1))
        return 0;
    return 0xC00000u | (static_cast<uint32_t>(x) << 8) | static_cast<uint32_t>(y);
}

using FormGamesTest = GameFormTest;

TEST_F(FormGamesTest, ConstructionMakesTheFixedGameWindowWithItsTimerAndCounters)
{
    MakeForm(false);
    EXPECT_TRUE(form->IsCreated());
    EXPECT_EQ(form->GetWidth(), 800);
    EXPECT_EQ(form->GetHeight(), 640);
    EXPECT_EQ(form->QueryWidth(), 800);
    EXPECT_EQ(form->GetBackColor(), 0x010101);
    EXPECT_EQ(form->GetText(), "FormGames test");
    EXPECT_FALSE(form->GetStyleFlag3());
    EXPECT_TRUE(form->GetStyleFlag2());
    EXPECT_EQ(form->GetLevel(), 1);
    EXPECT_EQ(form->GetLives(), 3);
    EXPECT_EQ(form->GetScore(), 0);
    EXPECT_EQ(WindowPixel(form, 400, 300), 0x010101u);
    // The load handler made the 10 ms frame timer; it starts at the first paint.
    ASSERT_NE(form->GetFrameTimer(), nullptr);
    EXPECT_EQ(form->GetFrameTimer()->GetInterval(), 10u);
    EXPECT_FALSE(form->GetFrameTimer()->IsRunning());
    EXPECT_EQ(form->GetDrawing(), nullptr);
    EXPECT_EQ(form->runApps, 0);
}

TEST_F(FormGamesTest, TheFirstPaintRunsRunAppOnceAndStartsTheFrameTimer)
{
    MakeForm(false);
    form->Paint();
    EXPECT_NE(form->GetDrawing(), nullptr);
    EXPECT_EQ(form->runApps, 1);
    EXPECT_TRUE(form->GetFrameTimer()->IsRunning());
    form->Paint();
    EXPECT_EQ(form->runApps, 1);
}

TEST_F(FormGamesTest, OperationsBeforeTheWindowIsReadyLogAndDrawNothing)
{
    MakeForm(false);
    XImage* picture = MakePicture(10, 8, Sample);
    ASSERT_NE(picture, nullptr);
    WritePicture("Data/back.bin", 800, 640, Background);
    form->RenderText(10, 10, "early", 0xFFFFFF);
    form->RenderRect(10, 10, 50, 50, 0xFF0000);
    form->RenderImage(picture, 10, 10, 0, 0, 10, 8, true, false);
    form->RenderSfondo("Data/back.bin");
    EXPECT_EQ(Log(), std::string(kNotReadyText) + "\n" + kNotReadyText + "\n" + kNotReadyImage + "\n" +
                         kNotReadySfondo + "\n");
    EXPECT_EQ(form->GetSfondo(), nullptr);
    EXPECT_EQ(form->GetScreenBuffer(), nullptr);
    EXPECT_EQ(WindowPixel(form, 20, 20), 0x010101u);
    EXPECT_EQ(WindowPixel(form, 12, 12), 0x010101u);
}

TEST_F(FormGamesTest, RenderSfondoLoadsTheFileIntoAllThreePicturesAndShowsIt)
{
    MakeForm();
    LoadBackground();
    EXPECT_EQ(Log(), "");
    for (XImage* layer : {form->GetSfondo(), form->GetScena(), form->GetScreenBuffer()}) {
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->width, 800);
        EXPECT_EQ(layer->height, 640);
        for (int32_t y = 0; y < 640; y += 37)
            for (int32_t x = 0; x < 800; x += 29)
                ASSERT_EQ(PixelOf(layer, x, y), Background(x, y)) << x << "," << y;
    }
    // The loading text went to the window only, and the picture covered it.
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScena()).empty());
    EXPECT_EQ(WindowPixel(form, 0, 0), Background(0, 0));
    EXPECT_EQ(WindowPixel(form, 799, 639), Background(799, 639));
    EXPECT_EQ(WindowPixel(form, 30, 65), Background(30, 65));
}

TEST_F(FormGamesTest, AMissingBackgroundIsLoggedAndTheCurrentPicturesStay)
{
    MakeForm();
    LoadBackground();
    XImage* before = form->GetScreenBuffer();
    form->RenderSfondo("Data/nowhere.bin");
    EXPECT_EQ(Log(), "Data/nowhere.bin: non trovato\n");
    EXPECT_EQ(form->GetScreenBuffer(), before);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 5, 5), Background(5, 5));
}

TEST_F(FormGamesTest, ABackgroundThatCannotBeReadBecomesBlackAndTheLevelKeepsItsBuffers)
{
    MakeForm();
    LoadBackground();
    // There, but reading it fails: a folder of that name.
    ASSERT_EQ(mkdir("Data/folder.bin", 0755), 0);
    form->RenderSfondo("Data/folder.bin");
    EXPECT_EQ(Log(), "Errore loading Data/folder.bin\n");
    for (XImage* layer : {form->GetSfondo(), form->GetScena(), form->GetScreenBuffer()}) {
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->width, 800);
        EXPECT_EQ(layer->height, 640);
        for (int32_t y = 0; y < 640; y += 37)
            for (int32_t x = 0; x < 800; x += 29)
                ASSERT_EQ(PixelOf(layer, x, y), 0u) << x << "," << y;
    }
    // The black picture covered the loading text on the window.
    for (int32_t x = 10; x < 200; x += 3)
        ASSERT_EQ(WindowPixel(form, x, 65), 0u) << x;
}

TEST_F(FormGamesTest, AShortBackgroundIsLoggedAndItsMissingPartIsBlack)
{
    MakeForm();
    // 100 whole rows and half a pixel.
    WritePicture("Data/short.bin", 800, 640, Background, 800 * 3 * 100 + 2);
    form->RenderSfondo("Data/short.bin");
    const std::string log = Log();
    EXPECT_EQ(log.rfind("Data/short.bin: ", 0), 0u) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
    ASSERT_NE(form->GetScreenBuffer(), nullptr);
    for (XImage* layer : {form->GetSfondo(), form->GetScena(), form->GetScreenBuffer()}) {
        EXPECT_EQ(PixelOf(layer, 799, 99), Background(799, 99));
        EXPECT_EQ(PixelOf(layer, 0, 100) & 0xFFFF, 0u);  // only the red byte was in the file
        EXPECT_EQ(PixelOf(layer, 1, 100), 0u);
        EXPECT_EQ(PixelOf(layer, 799, 639), 0u);
    }
}

TEST_F(FormGamesTest, AShortSpritePictureIsLoggedAndItsMissingPartIsBlack)
{
    MakeForm();
    WritePicture("Data/strip.bin", 40, 30, [](int32_t, int32_t) { return 0x336699u; }, 40 * 3 * 10);
    XImage* strip = nullptr;
    int32_t bytes = -1;
    form->LoadSpritePicture("Data/strip.bin", 40, 30, &strip, &bytes);
    pictures.push_back(strip);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(bytes, 40 * 3 * 10);
    EXPECT_EQ(Log().rfind("Data/strip.bin: ", 0), 0u) << Log();
    EXPECT_EQ(PixelOf(strip, 39, 9), 0x336699u);
    EXPECT_EQ(PixelOf(strip, 0, 10), 0u);
    EXPECT_EQ(PixelOf(strip, 39, 29), 0u);
}

TEST_F(FormGamesTest, LoadSpritePictureReportsMissingFilesAndReplacesItsPicture)
{
    MakeForm();
    XImage* strip = nullptr;
    int32_t bytes = -1;
    form->LoadSpritePicture("Data/none.bin", 40, 30, &strip, &bytes);
    EXPECT_EQ(Log(), "Data/none.bin: non trovato\n");
    EXPECT_EQ(strip, nullptr);
    EXPECT_EQ(bytes, -1);

    WritePicture("Data/a.bin", 4, 6, [](int32_t x, int32_t y) { return 0x010000u * (x + 1) + y; });
    form->LoadSpritePicture("Data/a.bin", 4, 6, &strip, &bytes);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(bytes, 72);
    EXPECT_EQ(PixelOf(strip, 3, 5), 0x040005u);
    // Loading again frees the old picture (the sanitizer would see the leak).
    WritePicture("Data/b.bin", 4, 6, [](int32_t, int32_t) { return 0x00FF00u; });
    form->LoadSpritePicture("Data/b.bin", 4, 6, &strip, &bytes);
    pictures.push_back(strip);
    EXPECT_EQ(PixelOf(strip, 3, 5), 0x00FF00u);
    EXPECT_EQ(Log(), "Data/none.bin: non trovato\n");
}

size_t OpenDescriptors()
{
    size_t count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder) != nullptr)
            ++count;
        closedir(folder);
    }
    return count;
}

TEST_F(FormGamesTest, PictureFilesAreClosedAfterLoading)
{
    MakeForm();
    WritePicture("Data/back.bin", 800, 640, Background);
    WritePicture("Data/strip.bin", 40, 30, Background, 100);
    form->RenderSfondo("Data/back.bin");  // the first load may open fonts and the like
    const size_t before = OpenDescriptors();
    XImage* strip = nullptr;
    int32_t bytes = 0;
    for (int round = 0; round < 3; ++round) {
        form->RenderSfondo("Data/back.bin");
        form->LoadSpritePicture("Data/strip.bin", 40, 30, &strip, &bytes);
        form->LoadSpritePicture("Data/missing.bin", 40, 30, &strip, &bytes);
    }
    pictures.push_back(strip);
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(FormGamesTest, RenderSfondoWithoutArgumentsCopiesTheBackgroundOverBothLayers)
{
    MakeForm();
    form->RenderSfondo();
    EXPECT_EQ(Log(), std::string(kNoSfondo) + "\n");
    LoadBackground();
    XImage* picture = MakePicture(10, 8, Sample);
    form->RenderImage(picture, 100, 100, 0, 0, 10, 8, true, false);
    ASSERT_FALSE(Differences(form->GetSfondo(), form->GetScena()).empty());
    form->RenderSfondo();
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScena()).empty());
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScreenBuffer()).empty());
}

// RenderImage of the 10 x 8 sample at (x, y): every pixel of the frame buffer
// must be the sample's where the clipped image lands and unchanged elsewhere.
void ExpectImageAt(const XImage* buffer, const std::string& before, int32_t x, int32_t y, int32_t left,
                   int32_t top, int32_t right, int32_t bottom, bool transparent)
{
    int wrong = 0;
    for (int32_t py = 0; py < 640; ++py)
        for (int32_t px = 0; px < 800; ++px) {
            const int32_t sx = px - x + left, sy = py - y + top;
            const bool inside = sx >= left && sx < right && sy >= top && sy < bottom;
            uint32_t want = PixelOfBytes(before, buffer, px, py);
            if (inside && !(transparent && Sample(sx, sy) == 0))
                want = Sample(sx, sy);
            if (PixelOf(buffer, px, py) != want && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << px << "," << py << " for the image at " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(FormGamesTest, RenderImageClipsAtEveryEdge)
{
    MakeForm();
    LoadBackground();
    XImage* picture = MakePicture(10, 8, Sample);
    const struct { int32_t x, y; } places[] = {
        {100, 100}, {-3, 50}, {795, 50}, {50, -2}, {50, 636}, {-3, -2}, {796, 637}, {-9, 100},
        {-10, 100}, {800, 100}, {100, 640}, {100, -8}, {-500, -500}, {5000, 5000}};
    for (const auto& place : places) {
        form->RenderSfondo();
        const std::string before = Snapshot(form->GetScreenBuffer());
        form->RenderImage(picture, place.x, place.y, 0, 0, 10, 8, false, false);
        ExpectImageAt(form->GetScreenBuffer(), before, place.x, place.y, 0, 0, 10, 8, false);
        EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScena()).empty()) << "the scene stays";
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(FormGamesTest, RenderImageCopiesOnlyTheSourceRectangleCutToThePicture)
{
    MakeForm();
    LoadBackground();
    XImage* picture = MakePicture(10, 8, Sample);
    std::string before = Snapshot(form->GetScreenBuffer());
    form->RenderImage(picture, 200, 300, 3, 2, 7, 6, false, false);
    ExpectImageAt(form->GetScreenBuffer(), before, 200, 300, 3, 2, 7, 6, false);
    // A rectangle reaching past the picture takes only what the picture has.
    form->RenderSfondo();
    before = Snapshot(form->GetScreenBuffer());
    form->RenderImage(picture, 300, 300, 4, 5, 400, 900, false, false);
    ExpectImageAt(form->GetScreenBuffer(), before, 300, 300, 4, 5, 10, 8, false);
    // An empty or inverted rectangle copies nothing.
    form->RenderSfondo();
    form->RenderImage(picture, 300, 300, 6, 6, 6, 8, false, false);
    form->RenderImage(picture, 300, 300, 8, 0, 2, 8, false, false);
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScreenBuffer()).empty());
}

TEST_F(FormGamesTest, RenderImageSkipsBlackPixelsOnlyWhenTransparent)
{
    MakeForm();
    LoadBackground();
    XImage* picture = MakePicture(10, 8, Sample);
    std::string before = Snapshot(form->GetScreenBuffer());
    form->RenderImage(picture, 400, 200, 0, 0, 10, 8, false, true);
    ExpectImageAt(form->GetScreenBuffer(), before, 400, 200, 0, 0, 10, 8, true);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 402, 203), Background(402, 203));
    form->RenderImage(picture, 400, 200, 0, 0, 10, 8, false, false);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 402, 203), 0u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 407, 201), 0u);
}

TEST_F(FormGamesTest, RenderImageIntoTheSceneWritesBothLayers)
{
    MakeForm();
    LoadBackground();
    XImage* picture = MakePicture(10, 8, Sample);
    const std::string before = Snapshot(form->GetScena());
    form->RenderImage(picture, 795, 637, 0, 0, 10, 8, true, true);
    ExpectImageAt(form->GetScena(), before, 795, 637, 0, 0, 10, 8, true);
    EXPECT_TRUE(Differences(form->GetScena(), form->GetScreenBuffer()).empty());
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScena()).size() > 0);
}

TEST_F(FormGamesTest, RenderImageBeforeAnyBackgroundDrawsOnTheWindow)
{
    MakeForm();
    XImage* picture = MakePicture(10, 8, Sample);
    form->RenderImage(picture, 20, 30, 1, 1, 5, 5, false, false);
    EXPECT_EQ(WindowPixel(form, 20, 30), Sample(1, 1));
    EXPECT_EQ(WindowPixel(form, 23, 33), Sample(4, 4));
    EXPECT_EQ(WindowPixel(form, 24, 34), 0x010101u);
    EXPECT_EQ(Log(), "");
}

TEST_F(FormGamesTest, RestoringFromTheSceneOrTheBackgroundTouchesOnlyItsRectangle)
{
    MakeForm();
    LoadBackground();
    XImage* block = MakePicture(60, 60, [](int32_t, int32_t) { return 0x00FF00u; });
    form->RenderImage(block, 100, 100, 0, 0, 60, 60, true, false);  // into the scene
    XImage* red = MakePicture(60, 60, [](int32_t, int32_t) { return 0xFF0000u; });
    form->RenderImage(red, 100, 100, 0, 0, 60, 60, false, false);  // frame only

    // The frame variant brings back the scene (green), in its rectangle only.
    form->RipristinaSfondo(RestoreLayer::Frame, 110, 110, 20, 10);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 110, 110), 0x00FF00u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 129, 119), 0x00FF00u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 130, 119), 0xFF0000u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 129, 120), 0xFF0000u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 109, 110), 0xFF0000u);
    EXPECT_EQ(PixelOf(form->GetScena(), 110, 110), 0x00FF00u);

    // The scene variant brings back the pure background into both.
    form->RipristinaSfondo(RestoreLayer::Scene, 100, 100, 30, 30);
    EXPECT_EQ(PixelOf(form->GetScena(), 129, 129), Background(129, 129));
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 100, 100), Background(100, 100));
    EXPECT_EQ(PixelOf(form->GetScena(), 130, 129), 0x00FF00u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 130, 129), 0xFF0000u);
    EXPECT_EQ(Log(), "");
}

TEST_F(FormGamesTest, ARestorePastTheBottomLogsSizeFrameAndCopiesWhatLiesInside)
{
    MakeForm();
    LoadBackground();
    XImage* red = MakePicture(60, 60, [](int32_t, int32_t) { return 0xFF0000u; });
    form->RenderImage(red, 100, 590, 0, 0, 60, 60, false, false);
    form->RipristinaSfondo(RestoreLayer::Frame, 100, 600, 20, 100);
    EXPECT_EQ(Log(), std::string(kSizeFrame) + "\n");
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 100, 600), Background(100, 600));
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 119, 639), Background(119, 639));
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 120, 639), 0xFF0000u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 100, 599), 0xFF0000u);

    // Wholly below: logged, nothing copied.
    form->RipristinaSfondo(RestoreLayer::Scene, 0, 700, 800, 10);
    EXPECT_EQ(Log(), std::string(kSizeFrame) + "\n" + kSizeFrame + "\n");
    // Left, top and right are cut without a message; nothing wraps into the next row.
    XImage* green = MakePicture(60, 20, [](int32_t, int32_t) { return 0x00FF00u; });
    form->RenderImage(green, 0, 540, 0, 0, 60, 20, false, false);
    form->RipristinaSfondo(RestoreLayer::Frame, -10, 540, 20, 10);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 9, 549), Background(9, 549));
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 10, 549), 0x00FF00u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 0, 550), 0x00FF00u);
    form->RipristinaSfondo(RestoreLayer::Frame, 150, 530, 700, 20);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 799, 549), Background(799, 549));
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 49, 550), 0x00FF00u);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 20, 545), 0x00FF00u);
    form->RipristinaSfondo(RestoreLayer::Frame, 30, -5, 10, 546);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 35, 540), Background(35, 540));
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 35, 541), 0x00FF00u);
    EXPECT_EQ(Log(), std::string(kSizeFrame) + "\n" + kSizeFrame + "\n");
}

TEST_F(FormGamesTest, ATextOfWidthZeroIsCapturedIntoTheSceneAtItsMeasuredWidth)
{
    MakeForm();
    WritePicture("Data/black.bin", 800, 640, [](int32_t, int32_t) { return 0u; });
    form->RenderSfondo("Data/black.bin");
    // Blue on the window only, under and beyond where the text goes.
    form->GetDrawing()->FillRectangle(100, 200, 401, 19, 0, 0, 0x0000FF);
    const std::string text = "WWW www";
    const int32_t measured = form->TextWidth(text);
    ASSERT_GT(measured, 20);
    form->RenderText(100, 200, 0, 18, text, 0xFFFFFF);
    int white = 0;
    for (int32_t y = 200; y < 218; ++y) {
        for (int32_t x = 100; x < 100 + measured; ++x) {
            const uint32_t pixel = PixelOf(form->GetScena(), x, y);
            ASSERT_TRUE(pixel == 0xFFFFFF || pixel == 0x0000FF) << x << "," << y << " " << std::hex << pixel;
            white += pixel == 0xFFFFFF;
        }
        for (int32_t x = 100 + measured; x < 520; ++x)
            ASSERT_EQ(PixelOf(form->GetScena(), x, y), 0u) << x << "," << y;
        ASSERT_EQ(PixelOf(form->GetScena(), 99, y), 0u);
    }
    EXPECT_GT(white, 20);
    EXPECT_EQ(PixelOf(form->GetScena(), 100, 218), 0u);
    EXPECT_TRUE(Differences(form->GetScena(), form->GetScreenBuffer()).empty());

    // With a width given, that much is captured.
    form->GetDrawing()->FillRectangle(100, 400, 401, 19, 0, 0, 0x0000FF);
    form->RenderText(100, 400, 300, 18, "x", 0xFFFFFF);
    EXPECT_EQ(PixelOf(form->GetScena(), 399, 417), 0x0000FFu);
    EXPECT_EQ(PixelOf(form->GetScena(), 400, 417), 0u);
    EXPECT_EQ(Log(), "");
}

TEST_F(FormGamesTest, RenderRectFillsItsRectangleIntoTheSceneAndTheFrame)
{
    MakeForm();
    LoadBackground();
    form->RenderRect(50, 60, 30, 20, 0x123456);
    for (XImage* layer : {form->GetScena(), form->GetScreenBuffer()}) {
        EXPECT_EQ(PixelOf(layer, 50, 60), 0x123456u);
        EXPECT_EQ(PixelOf(layer, 79, 79), 0x123456u);
        EXPECT_EQ(PixelOf(layer, 80, 79), Background(80, 79));
        EXPECT_EQ(PixelOf(layer, 79, 80), Background(79, 80));
        EXPECT_EQ(PixelOf(layer, 49, 60), Background(49, 60));
    }
    EXPECT_EQ(WindowPixel(form, 79, 79), 0x123456u);
}

// The status line as it must look: the three texts in white on 0x010101, on
// the baseline ascent + 10, drawn here with Xlib directly.
XImage* ExpectedHud(Form* form, int32_t ascent, const std::string& score, const std::string& lives,
                    const std::string& level)
{
    Display* display = form->GetApplication()->GetDisplay();
    const int32_t height = ascent + 15;
    Pixmap pixmap = XCreatePixmap(display, form->GetWindow(), 800, static_cast<unsigned>(height), 24);
    DrawContext context(form, pixmap);
    XFontStruct* font = context.GetFontStruct();
    GC gc = context.GetGC();
    XSetForeground(display, gc, 0x010101);
    XFillRectangle(display, pixmap, gc, 0, 0, 800, static_cast<unsigned>(height));
    XSetForeground(display, gc, 0xFFFFFF);
    auto width = [font](const std::string& text) { return XTextWidth(font, text.c_str(), static_cast<int>(text.size())); };
    XDrawString(display, pixmap, gc, 5, ascent + 10, score.c_str(), static_cast<int>(score.size()));
    XDrawString(display, pixmap, gc, 800 - width(lives) - 10, ascent + 10, lives.c_str(), static_cast<int>(lives.size()));
    XDrawString(display, pixmap, gc, (800 - width(level)) / 2, ascent + 10, level.c_str(), static_cast<int>(level.size()));
    XImage* image = XGetImage(display, pixmap, 0, 0, 800, static_cast<unsigned>(height), AllPlanes, ZPixmap);
    XFreePixmap(display, pixmap);
    return image;
}

void ExpectHud(TestForm* form, const std::string& score, const std::string& lives, const std::string& level)
{
    const int32_t ascent = form->FontAscent();
    ASSERT_GT(ascent, 0);
    XImage* expected = ExpectedHud(form, ascent, score, lives, level);
    ASSERT_NE(expected, nullptr);
    int wrong = 0, white = 0;
    for (int32_t y = 0; y < ascent + 15; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            const uint32_t want = PixelOf(expected, x, y);
            white += want == 0xFFFFFF;
            if (PixelOf(form->GetScreenBuffer(), x, y) != want && ++wrong <= 5)
                ADD_FAILURE() << "status line pixel " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(white, 50);
    XDestroyImage(expected);
}

TEST_F(FormGamesTest, TheStatusLineOfANewGameShowsSixZerosThreeLivesAndLevelOne)
{
    MakeForm();
    LoadBackground();
    form->RenderHud();
    ExpectHud(form, "Score: 000000", "Lives: 3", "Level: 1");
    // The strip covers the top of the frame only; the scene keeps its background.
    const int32_t below = form->FontAscent() + 15;
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 400, below), Background(400, below));
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 400, below - 1), 0x010101u);
    EXPECT_EQ(PixelOf(form->GetScena(), 400, 0), Background(400, 0));

    form->SetScore(1250);
    form->SetLives(2);
    form->SetLevel(12);
    form->RenderHud();
    ExpectHud(form, "Score: 001250", "Lives: 2", "Level: 12");
    form->SetScore(1234567);
    form->RenderHud();
    ExpectHud(form, "Score: 1234567", "Lives: 2", "Level: 12");
    EXPECT_EQ(Log(), "");
}

TEST_F(FormGamesTest, TheFrameBufferReachesTheWindowEverySixthTick)
{
    MakeForm();
    LoadBackground();
    XImage* red = MakePicture(20, 20, [](int32_t, int32_t) { return 0xFF0000u; });
    form->RenderImage(red, 0, 0, 0, 0, 20, 20, false, false);
    for (int tick = 1; tick <= 5; ++tick) {
        form->OnTick();
        ASSERT_EQ(WindowPixel(form, 5, 5), Background(5, 5)) << "tick " << tick;
    }
    form->OnTick();
    EXPECT_EQ(WindowPixel(form, 5, 5), 0xFF0000u);

    // While the buffers are being rewritten the present waits for the next tick.
    XImage* green = MakePicture(20, 20, [](int32_t, int32_t) { return 0x00FF00u; });
    form->RenderImage(green, 0, 0, 0, 0, 20, 20, false, false);
    form->SetRendering(true);
    for (int tick = 1; tick <= 8; ++tick)
        form->OnTick();
    EXPECT_EQ(WindowPixel(form, 5, 5), 0xFF0000u);
    form->SetRendering(false);
    form->OnTick();
    EXPECT_EQ(WindowPixel(form, 5, 5), 0x00FF00u);
}

TEST_F(FormGamesTest, ClosingTheGameWindowStopsTheTimerAndRaisesTheQuitFlag)
{
    MakeForm();
    QuitRequested = false;
    ASSERT_TRUE(form->GetFrameTimer()->IsRunning());
    EXPECT_TRUE(form->QueryClose());
    EXPECT_TRUE(QuitRequested);
    EXPECT_FALSE(form->GetFrameTimer()->IsRunning());
    EXPECT_EQ(form->spare2Calls, 1);
    QuitRequested = false;
}

TEST_F(FormGamesTest, KeyHandlersFillTheKeyTable)
{
    MakeForm();
    form->KeyDown(XK_Left);
    EXPECT_TRUE(form->IsKeyDown('a'));
    EXPECT_TRUE(form->IsKeyDown(XK_Left));
    form->KeyDown(XK_Shift_L);
    EXPECT_TRUE(form->IsKeyDown('a'));
    form->KeyUp(XK_a);
    EXPECT_FALSE(form->IsKeyDown(XK_Left));
    EXPECT_EQ(form->KeyPress('g'), true);
}

TEST_F(FormGamesTest, AClickOnTheFormDisabledByADialogRaisesTheDialog)
{
    MakeForm();
    Form dialog(0, true);
    dialog.SetApplication(App());
    dialog.SetSize(200, 100);
    form->Click(0);
    EXPECT_FALSE(dialog.IsCreated());
    form->SetActiveDialog(&dialog);
    form->Click(0);  // enabled: nothing
    EXPECT_FALSE(dialog.IsCreated());
    form->SetEnabled(false);
    form->Click(0);
    EXPECT_TRUE(dialog.IsCreated());
    form->SetActiveDialog(nullptr);
}

// Real key events through the event loop: a timer performs one step per idle tick.
class KeyScript {
public:
    explicit KeyScript(TestForm* running) : form(running), driver(running, 0)
    {
        current = this;
        driver.SetCallback(&KeyScript::Step);
    }
    ~KeyScript() { current = nullptr; }
    void Key(KeySym keysym, bool press)
    {
        Display* display = App()->GetDisplay();
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), press ? True : False, CurrentTime);
        XSync(display, False);
    }
    void Run()
    {
        QuitRequested = false;
        XSetInputFocus(App()->GetDisplay(), form->GetWindow(), RevertToNone, CurrentTime);
        driver.Start();
        form->Run();
    }

    std::vector<std::string> seen;  // what the table held at each step

private:
    static void Step(Timer*)
    {
        KeyScript* self = current;
        TestForm* f = self->form;
        self->seen.push_back(std::string(f->IsKeyDown(XK_Right) ? "R" : "-") + (f->IsKeyDown(XK_Up) ? "U" : "-"));
        switch (self->step++) {
        case 0: self->Key(XK_Right, true); break;
        case 1: self->Key(XK_Up, true); break;
        case 2: self->Key(XK_Up, false); break;
        case 3: self->Key(XK_Right, false); break;
        default: QuitRequested = true; break;
        }
    }

    static inline KeyScript* current = nullptr;
    TestForm* form;
    Timer driver;
    int step = 0;
};

TEST_F(FormGamesTest, WithRightHeldPressingAndReleasingUpLeavesNoKeyDown)
{
    MakeForm(false);
    {
        KeyScript script(form);
        script.Run();
        ASSERT_GE(script.seen.size(), 5u);
        EXPECT_EQ(script.seen[0], "--");
        EXPECT_EQ(script.seen[1], "R-");
        EXPECT_EQ(script.seen[2], "-U");
        EXPECT_EQ(script.seen[3], "--");
        EXPECT_EQ(script.seen[4], "--");
    }
    EXPECT_EQ(form->runApps, 1);  // the loop's first Expose painted the form
    QuitRequested = false;
}

}  // namespace
}  // namespace gametest
