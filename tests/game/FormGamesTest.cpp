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

const char* const kNotReadySfondo =
    "RenderSfondo(file): E' possibile caricare lo sfondo nel metodo RunApp o nei metodi successivi.";

using FormGamesTest = GameFormTest;

TEST_F(FormGamesTest, ConstructionMakesTheFixedGameWindowWithItsTimer)
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
    EXPECT_EQ(WindowPixel(form, 400, 300), 0x010101u);
    // The load handler made the 10 ms frame timer; it starts at the first paint.
    ASSERT_NE(form->GetFrameTimer(), nullptr);
    EXPECT_EQ(form->GetFrameTimer()->GetInterval(), 10u);
    EXPECT_FALSE(form->GetFrameTimer()->IsRunning());
    EXPECT_EQ(form->GetDrawing(), nullptr);
    EXPECT_EQ(form->runApps, 0);
}

TEST_F(FormGamesTest, TheFirstPaintMakesTheLayersAndGlyphsRunsRunAppOnceAndStartsTheFrameTimer)
{
    MakeForm(false);
    EXPECT_EQ(form->GetScreenBuffer(), nullptr);
    form->Paint();
    EXPECT_NE(form->GetDrawing(), nullptr);
    EXPECT_EQ(form->runApps, 1);
    EXPECT_TRUE(form->GetFrameTimer()->IsRunning());
    for (XImage* layer : {form->GetSfondo(), form->GetScena(), form->GetScreenBuffer()}) {
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->width, 800);
        EXPECT_EQ(layer->height, 640);
    }
    EXPECT_EQ(PixelOf(form->GetSfondo(), 400, 300), 0x010101u) << "the window's fill until a picture comes";
    EXPECT_EQ(form->FontAscent(), form->GetDrawing()->GetFontStruct()->ascent);
    EXPECT_FALSE(form->Glyphs().Empty());
    form->Paint();
    EXPECT_EQ(form->runApps, 1);
}

TEST_F(FormGamesTest, ABackgroundBeforeTheWindowIsReadyIsLoggedAndNotLoaded)
{
    MakeForm(false);
    WritePicture("Data/back.bin", 800, 640, Background);
    form->RenderSfondo("Data/back.bin");
    EXPECT_EQ(Log(), std::string(kNotReadySfondo) + "\n");
    EXPECT_EQ(form->GetSfondo(), nullptr);
    EXPECT_EQ(WindowPixel(form, 20, 20), 0x010101u);
}

// The glyphs read back from the X font write a text exactly as the server
// writes it with that font.
TEST_F(FormGamesTest, TheCapturedGlyphsWriteTextAsTheServerDoes)
{
    MakeForm();
    const std::string text = "Score: 012345 Lives: 3 gjpqy [G] \xB0 ~";
    const int32_t width = form->TextWidth(text), height = 30, baseline = 20;
    EXPECT_EQ(width, form->GetDrawing()->TextWidth(text));
    Display* display = App()->GetDisplay();
    const Pixmap pixmap = XCreatePixmap(display, form->GetWindow(), static_cast<unsigned>(width + 8), height,
                                        static_cast<unsigned>(App()->GetDepth()));
    XImage* server = nullptr;
    {
        DrawContext pen(form, pixmap);
        XSetForeground(display, pen.GetGC(), 0);
        XFillRectangle(display, pixmap, pen.GetGC(), 0, 0, static_cast<unsigned>(width + 8), height);
        XSetForeground(display, pen.GetGC(), 0xFFFF00);
        XDrawString(display, pixmap, pen.GetGC(), 4, baseline, text.data(), static_cast<int>(text.size()));
        server = XGetImage(display, pixmap, 0, 0, static_cast<unsigned>(width + 8), height, AllPlanes, ZPixmap);
    }
    XFreePixmap(display, pixmap);
    ASSERT_NE(server, nullptr);
    XImage* mine = MakePicture(width + 8, height, [](int32_t, int32_t) { return 0u; });
    const PixelImage view{mine->width, mine->height, mine->bytes_per_line, reinterpret_cast<uint8_t*>(mine->data)};
    form->Glyphs().Draw(view, form->Composer().Layout(), 4, baseline, text, 0xFFFF00, view.Area());
    int ink = 0;
    EXPECT_TRUE(Differences(server, mine).empty()) << Differences(server, mine).front();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width + 8; ++x)
            ink += PixelOf(mine, x, y) != 0 ? 1 : 0;
    EXPECT_GT(ink, 200);
    XDestroyImage(server);
}

TEST_F(FormGamesTest, RenderSfondoLoadsTheFileAndTheFrameIsComposedOverIt)
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
    for (int tick = 0; tick < 6; ++tick)
        form->OnTick();
    EXPECT_EQ(WindowPixel(form, 0, 0), Background(0, 0));
    EXPECT_EQ(WindowPixel(form, 799, 639), Background(799, 639));
}

TEST_F(FormGamesTest, AMissingBackgroundIsLoggedAndShowsBlackNotTheLastPicture)
{
    MakeForm();
    LoadBackground();
    form->RenderSfondo("Data/nowhere.bin");
    form->ComposeBackdrop();
    EXPECT_EQ(Log(), "Data/nowhere.bin: non trovato\n");
    for (XImage* layer : {form->GetSfondo(), form->GetScreenBuffer()})
        for (int32_t y = 0; y < 640; y += 37)
            for (int32_t x = 0; x < 800; x += 29)
                ASSERT_EQ(PixelOf(layer, x, y), 0u) << x << "," << y;
}

TEST_F(FormGamesTest, ABackgroundThatCannotBeReadBecomesBlackAndTheLevelKeepsItsBuffers)
{
    MakeForm();
    LoadBackground();
    // There, but reading it fails: a folder of that name.
    ASSERT_EQ(mkdir("Data/folder.bin", 0755), 0);
    form->RenderSfondo("Data/folder.bin");
    form->ComposeBackdrop();
    EXPECT_EQ(Log(), "Errore loading Data/folder.bin\n");
    for (XImage* layer : {form->GetSfondo(), form->GetScena(), form->GetScreenBuffer()}) {
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->width, 800);
        EXPECT_EQ(layer->height, 640);
        for (int32_t y = 0; y < 640; y += 37)
            for (int32_t x = 0; x < 800; x += 29)
                ASSERT_EQ(PixelOf(layer, x, y), 0u) << x << "," << y;
    }
}

TEST_F(FormGamesTest, AShortBackgroundIsLoggedAndItsMissingPartIsBlack)
{
    MakeForm();
    // 100 whole rows and half a pixel.
    WritePicture("Data/short.bin", 800, 640, Background, 800 * 3 * 100 + 2);
    form->RenderSfondo("Data/short.bin");
    form->ComposeBackdrop();
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

// What changed in the frame reaches the window at the end of the tick, and
// only that; an expose sends the whole frame once.
TEST_F(FormGamesTest, TheWindowGetsWhatChangedAtTheNextTickAndTheWholeFrameAfterAnExpose)
{
    MakeForm();
    LoadBackground();
    form->OnTick();
    EXPECT_EQ(WindowPixel(form, 5, 5), Background(5, 5));
    const uint64_t whole = 800u * 640u * static_cast<uint64_t>(form->GetScreenBuffer()->bits_per_pixel / 8);
    uint64_t sent = form->PresentedBytes();
    form->OnTick();
    EXPECT_EQ(form->PresentedBytes(), sent) << "nothing changed, nothing sent";

    form->Composer().BeginItems();
    form->Composer().AddFill(FrameItem::Layer::Moving, Rect{0, 0, 20, 20}, 0xFF0000);
    form->Composer().Compose();
    EXPECT_EQ(WindowPixel(form, 5, 5), Background(5, 5)) << "not before the tick ends";
    form->OnTick();
    EXPECT_EQ(WindowPixel(form, 5, 5), 0xFF0000u);
    EXPECT_EQ(form->PresentedBytes() - sent, whole / (800u * 640u) * 20u * 20u) << "the 20 x 20 square alone";

    // The server clears the window (as after an unmap and a map) and says so.
    XClearArea(App()->GetDisplay(), form->GetWindow(), 0, 0, 0, 0, False);
    EXPECT_EQ(WindowPixel(form, 5, 5), 0x010101u);
    sent = form->PresentedBytes();
    form->Paint();
    form->Paint();  // an expose comes in several rectangles
    form->OnTick();
    EXPECT_EQ(WindowPixel(form, 5, 5), 0xFF0000u);
    EXPECT_EQ(WindowPixel(form, 799, 639), Background(799, 639));
    EXPECT_EQ(form->PresentedBytes() - sent, whole) << "the whole frame, once";
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

    std::vector<std::string> seen;  // what the table held before each key, and at the end

private:
    // A key every eighth step, what the table holds read just before it: the
    // loop hands over at most five late steps back to back, so the event of
    // the last key has been handled by then.
    static constexpr int kStepsPerKey = 8;

    static void Step(Timer*)
    {
        KeyScript* self = current;
        TestForm* f = self->form;
        const int step = self->step++;
        if (step % kStepsPerKey != 0)
            return;
        self->seen.push_back(std::string(f->IsKeyDown(XK_Right) ? "R" : "-") + (f->IsKeyDown(XK_Up) ? "U" : "-"));
        switch (step / kStepsPerKey) {
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
    // Painted first: the loop would catch up the steps a slow first paint
    // took, back to back, with no key event handled between them.
    MakeForm();
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
    EXPECT_EQ(form->runApps, 1);
    QuitRequested = false;
}

}  // namespace
}  // namespace gametest
