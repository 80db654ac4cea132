#include "game/FormGames.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "gui/DrawContext.h"
#include "gui/controls/Timer.h"
#include "gui/images/Picture.h"
#include "gui/images/RgbFile.h"
#include "support/FileUtil.h"
#include "support/Log.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t kTextWhite = 0xFFFFFF;
constexpr int32_t kHudMarginLeft = 5;    // pixels before the score
constexpr int32_t kHudMarginRight = 10;  // pixels after the lives
constexpr int32_t kHudExtraHeight = 15;  // pixels below the font's ascent
constexpr int32_t kHudBaselineGap = 10;  // pixels from the ascent to the baseline
constexpr int32_t kScoreDigits = 6;

// The handlers of the game form: each calls the virtual of the same purpose.
FormGames* Game(GUIElement* element) { return static_cast<FormGames*>(element); }

void LoadThunk(GUIElement* element, uint64_t) { Game(element)->CreateFrameTimer(); }
bool QueryCloseThunk(GUIElement* element) { return Game(element)->OnClose(); }
void ResizeThunk(GUIElement* element) { Game(element)->OnResize(); }
bool KeyPressThunk(GUIElement* element, char character) { return Game(element)->OnKeyPress(character) != 0; }
void KeyDownThunk(GUIElement* element, KeySym keysym) { Game(element)->OnKeyDown(keysym); }
void KeyUpThunk(GUIElement* element, KeySym keysym) { Game(element)->OnKeyUp(keysym); }
void ClickThunk(GUIElement* element, uint64_t, uint64_t point) { Game(element)->OnClick(point); }
void MouseDownThunk(GUIElement* element, uint64_t, uint64_t point) { Game(element)->OnMouseDown(point); }

size_t PictureBytes(const XImage* image)
{
    return static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(image->height);
}

// A key symbol as a key-table code; symbols beyond 32 bits have no slot.
uint32_t TableCode(KeySym keysym) { return keysym > 0xFFFFFFFFul ? 0x100 : static_cast<uint32_t>(keysym); }

}  // namespace

FormGames::FormGames(Application* app, const std::string& title) : Form(0)
{
    keyTable.Reset();
    SetBackColor(kBackColor);
    SetSize(kWidth, kHeight);
    SetTitle(title);
    SetStyleFlag3(false);
    SetStyleFlag2(true);
    level = 1;
    lives = kStartingLives;
    score = 0;
    // Sized for a whole form of the widest pixels, so RenderImage never grows it.
    rowBuffer.resize(static_cast<size_t>(kWidth) * kHeight * 4);

    SetLoadHandler(LoadThunk);
    SetQueryCloseHandler(QueryCloseThunk);
    SetResizeHandler(ResizeThunk);
    SetKeyPressHandler(KeyPressThunk);
    SetKeyDownHandler(KeyDownThunk);
    SetKeyUpHandler(KeyUpThunk);
    SetClickHandler(ClickThunk);
    SetMouseDownHandler(MouseDownThunk);

    SetApplication(app);
    Create();
}

FormGames::~FormGames()
{
    FreePictures();
    DestroyImage(hudImage);
    delete hudDrawing;
    if (hudPixmap && application && application->GetDisplay())
        XFreePixmap(application->GetDisplay(), hudPixmap);
    if (frameTimer) {
        frameTimer->Stop();
        delete frameTimer;
    }
    DestroyWindow();
    delete drawing;
}

void FormGames::FreePictures()
{
    DestroyImage(bmpSfondo);
    DestroyImage(bmpScena);
    DestroyImage(bmpScreenBuffer);
    bmpSfondo = bmpScena = bmpScreenBuffer = nullptr;
}

void FormGames::StartLevel()
{
    score = 0;
    level = 1;
    lives = kStartingLives;
}

void FormGames::CreateFrameTimer()
{
    if (frameTimer)
        return;
    frameTimer = new Timer(this, kFrameMs);
    frameTimer->SetCallback(FrameTimerCallback);
}

void FormGames::FrameTimerCallback(Timer* timer)
{
    static_cast<FormGames*>(timer->GetParent())->OnTick();
}

bool FormGames::OnClose()
{
    FormSpare2();
    if (frameTimer)
        frameTimer->Stop();
    QuitRequested = true;
    return true;
}

void FormGames::OnKeyDown(KeySym keysym) { keyTable.KeyDown(TableCode(keysym)); }

void FormGames::OnKeyUp(KeySym keysym) { keyTable.KeyUp(TableCode(keysym)); }

void FormGames::OnClick(uint64_t /*point*/)
{
    if (!IsEnabled() && activeDialog)
        activeDialog->Show();
}

void FormGames::Paint()
{
    // The window is ready at its first paint: from here on pictures can be
    // built (the pixel layout is probed on the window) and the game may run.
    if (created && !drawing) {
        drawing = new DrawContext(this);
        RunApp();
        if (frameTimer)
            frameTimer->Start();
    }
    Form::Paint();
}

void FormGames::OnTick()
{
    if (inTick)
        return;
    inTick = true;
    if (drawing && bmpScreenBuffer) {
        presentCounter += static_cast<int32_t>(kFrameMs);
        if (presentCounter > kPresentAfterMs && !rendering) {
            drawing->PutImage(0, 0, 0, 0, bmpScreenBuffer);
            presentCounter = 0;
        }
    }
    Form::OnTick();
    inTick = false;
}

void FormGames::RenderSfondo(const std::string& path)
{
    if (!drawing) {
        WriteLog("RenderSfondo(file): E' possibile caricare lo sfondo nel metodo RunApp o nei metodi successivi.");
        return;
    }
    if (!FileExists(path)) {
        WriteLog(path + ": non trovato");
        return;
    }
    rendering = true;
    FreePictures();
    // No pictures exist now, so the text goes to the window only.
    RenderText(kLoadingTextX, kLoadingTextY, kLoadingText, kTextWhite);
    std::vector<unsigned char> rgb;
    size_t rgbBytes = 0;
    // A file that cannot be read (logged there) plays as a black picture, so
    // the level keeps its frame buffers and the loading text is covered.
    if (!ReadRgbFile(path, width, height, rgb, &rgbBytes, nullptr))
        std::fill(rgb.begin(), rgb.end(), 0);
    bmpSfondo = CreateImageFromRgb(this, rgb.data(), width, height, rgbBytes);
    bmpScena = CreateImageFromRgb(this, rgb.data(), width, height, rgbBytes);
    bmpScreenBuffer = CreateImageFromRgb(this, rgb.data(), width, height, rgbBytes);
    rendering = false;
    if (bmpSfondo)
        drawing->PutImage(0, 0, 0, 0, bmpSfondo);
}

void FormGames::RenderSfondo()
{
    if (!bmpSfondo) {
        WriteLog("RenderSfondo(): E' necessario caricare primo lo sfondo.");
        return;
    }
    if (!bmpScena || !bmpScreenBuffer)
        return;
    rendering = true;
    const size_t bytes = PictureBytes(bmpSfondo);
    std::memcpy(bmpScena->data, bmpSfondo->data, std::min(bytes, PictureBytes(bmpScena)));
    std::memcpy(bmpScreenBuffer->data, bmpSfondo->data, std::min(bytes, PictureBytes(bmpScreenBuffer)));
    rendering = false;
}

void FormGames::RipristinaSfondo(RestoreLayer layer, int32_t x, int32_t y, int32_t rectWidth,
                                 int32_t rectHeight)
{
    const XImage* source = layer == RestoreLayer::Scene ? bmpSfondo : bmpScena;
    XImage* alsoScene = layer == RestoreLayer::Scene ? bmpScena : nullptr;
    if (!source || !bmpScreenBuffer || (layer == RestoreLayer::Scene && !bmpScena))
        return;
    // Left, top and right are cut silently: a row must never spill into its
    // neighbour; the bottom is checked against the buffer's end below.
    if (x < 0) {
        rectWidth += x;
        x = 0;
    }
    if (y < 0) {
        rectHeight += y;
        y = 0;
    }
    rectWidth = std::min(rectWidth, source->width - x);
    if (rectWidth <= 0 || rectHeight <= 0)
        return;

    const int64_t rowBytes = source->bytes_per_line;
    const int64_t pixelBytes = source->bits_per_pixel / 8;
    const int64_t size = rowBytes * source->height;
    const int64_t sizeFrame = (static_cast<int64_t>(y) + rectHeight - 1) * rowBytes +
                              (static_cast<int64_t>(x) + rectWidth) * pixelBytes;
    int32_t rows = rectHeight;
    if (sizeFrame > size) {
        WriteLog("RipristinaSfondo(): attenzione sizeFrame > size bmpScreenBuffer");
        rows = std::max(0, source->height - y);
    }
    const size_t count = static_cast<size_t>(rectWidth * pixelBytes);
    for (int32_t row = 0; row < rows; ++row) {
        const size_t offset = static_cast<size_t>((y + row) * rowBytes + x * pixelBytes);
        std::memcpy(bmpScreenBuffer->data + offset, source->data + offset, count);
        if (alsoScene)
            std::memcpy(alsoScene->data + offset, source->data + offset, count);
    }
}

void FormGames::RenderImage(XImage* image, int32_t x, int32_t y, int32_t left, int32_t top,
                            int32_t right, int32_t bottom, bool intoScene, bool transparent)
{
    if (!drawing) {
        WriteLog("RenderImage(file): E' possibile caricare l'immagine nel metodo RunApp o nei metodi successivi.");
        return;
    }
    if (!image)
        return;
    if (!bmpScena || !bmpScreenBuffer) {
        drawing->PutImagePart(x, y, right - left, bottom - top, image, left, top);
        return;
    }
    // The source rectangle is first cut to the image, then to the target.
    if (left < 0) {
        x -= left;
        left = 0;
    }
    if (top < 0) {
        y -= top;
        top = 0;
    }
    right = std::min(right, image->width);
    bottom = std::min(bottom, image->height);
    int32_t copyWidth = right - left;
    int32_t copyHeight = bottom - top;
    if (x < 0) {
        left -= x;
        copyWidth += x;
        x = 0;
    }
    if (y < 0) {
        top -= y;
        copyHeight += y;
        y = 0;
    }
    copyWidth = std::min(copyWidth, bmpScreenBuffer->width - x);
    copyHeight = std::min(copyHeight, bmpScreenBuffer->height - y);
    if (copyWidth <= 0 || copyHeight <= 0)
        return;
    const int32_t pixelBytes = image->bits_per_pixel / 8;
    if (pixelBytes != bmpScreenBuffer->bits_per_pixel / 8 || pixelBytes < 1)
        return;  // not a picture of the display's layout

    const size_t rowCount = static_cast<size_t>(copyWidth) * pixelBytes;
    if (rowBuffer.size() < rowCount * copyHeight)
        rowBuffer.resize(rowCount * copyHeight);
    for (int32_t row = 0; row < copyHeight; ++row)
        std::memcpy(rowBuffer.data() + row * rowCount,
                    image->data + static_cast<size_t>(top + row) * image->bytes_per_line +
                        static_cast<size_t>(left) * pixelBytes,
                    rowCount);

    const int32_t red = VisualLayout.ixRosso, green = VisualLayout.ixVerde, blue = VisualLayout.ixBlu;
    const size_t targetRow = bmpScreenBuffer->bytes_per_line;
    for (int32_t row = 0; row < copyHeight; ++row) {
        const unsigned char* from = rowBuffer.data() + row * rowCount;
        const size_t offset = static_cast<size_t>(y + row) * targetRow + static_cast<size_t>(x) * pixelBytes;
        unsigned char* frame = reinterpret_cast<unsigned char*>(bmpScreenBuffer->data) + offset;
        unsigned char* scene = intoScene ? reinterpret_cast<unsigned char*>(bmpScena->data) + offset : nullptr;
        for (int32_t column = 0; column < copyWidth; ++column, from += pixelBytes) {
            const size_t at = static_cast<size_t>(column) * pixelBytes;
            if (transparent && from[red] == 0 && from[green] == 0 && from[blue] == 0)
                continue;
            frame[at + red] = from[red];
            frame[at + green] = from[green];
            frame[at + blue] = from[blue];
            if (scene) {
                scene[at + red] = from[red];
                scene[at + green] = from[green];
                scene[at + blue] = from[blue];
            }
        }
    }
}

void FormGames::CaptureIntoScene(int32_t x, int32_t y, int32_t rectWidth, int32_t rectHeight,
                                 bool transparent)
{
    XImage* captured = drawing->CaptureImage(x, y, rectWidth, rectHeight);
    if (!captured)
        return;
    RenderImage(captured, x, y, 0, 0, captured->width, captured->height, true, transparent);
    DestroyImage(captured);
}

void FormGames::RenderRect(int32_t x, int32_t y, int32_t rectWidth, int32_t rectHeight, int32_t colour)
{
    if (!drawing) {
        WriteLog("RenderText(): E' possibile scrivere nel metodo RunApp o nei metodi successivi.");
        return;
    }
    const bool wasRendering = rendering;
    rendering = true;
    // FillRectangle paints one pixel less each way than it is given.
    drawing->FillRectangle(x, y, rectWidth + 1, rectHeight + 1, 0, 0, colour);
    if (bmpScena)
        CaptureIntoScene(x, y, rectWidth, rectHeight, false);
    rendering = wasRendering;
}

void FormGames::RenderText(int32_t x, int32_t y, int32_t textWidth, int32_t textHeight,
                           const std::string& text, int32_t colour)
{
    if (!drawing) {
        WriteLog("RenderText(): E' possibile scrivere nel metodo RunApp o nei metodi successivi.");
        return;
    }
    // Kept as found: RenderSfondo writes its loading text while it rewrites the buffers.
    const bool wasRendering = rendering;
    rendering = true;
    drawing->DrawText(x, y, textWidth, textHeight, text, colour, -1, 0);
    if (bmpScena) {
        if (textWidth == 0)
            textWidth = drawing->TextWidth(text);
        // Transparent, so the black around the glyphs keeps the scene.
        CaptureIntoScene(x, y, textWidth, textHeight, true);
    }
    rendering = wasRendering;
}

int32_t FormGames::TextWidth(const std::string& text) { return drawing ? drawing->TextWidth(text) : 0; }

int32_t FormGames::FontAscent()
{
    XFontStruct* fontStruct = drawing ? drawing->GetFontStruct() : nullptr;
    return fontStruct ? fontStruct->ascent : 0;
}

void FormGames::RenderHud()
{
    if (!drawing || !window || !application || !application->GetDisplay())
        return;
    Display* display = application->GetDisplay();
    const int32_t ascent = FontAscent();
    if (!hudPixmap) {
        hudHeight = ascent + kHudExtraHeight;
        const int depth = bmpSfondo ? bmpSfondo->depth : application->GetDepth();
        hudPixmap = XCreatePixmap(display, window, static_cast<unsigned>(width),
                                  static_cast<unsigned>(hudHeight), static_cast<unsigned>(depth));
        if (!hudPixmap)
            return;
    }
    if (!hudDrawing)
        hudDrawing = new DrawContext(this, hudPixmap);
    if (!hudImage)
        hudImage = CreateBlankImage(this, width, hudHeight);
    if (!hudDrawing->IsValid() || !hudImage)
        return;

    GC gc = hudDrawing->GetGC();
    XSetForeground(display, gc, static_cast<unsigned long>(kBackColor));
    XFillRectangle(display, hudPixmap, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(hudHeight));
    XSetForeground(display, gc, kTextWhite);
    const int baseline = ascent + kHudBaselineGap;

    // Fixed buffers: the status line is redrawn during play (only Xlib's
    // read-back below allocates, for its own temporary image).
    char number[16];
    char line[32];
    std::snprintf(number, sizeof number, "%d", score);
    const int digits = static_cast<int>(std::strlen(number));
    const int zeros = std::max(0, kScoreDigits - digits);
    std::snprintf(line, sizeof line, "Score: %.*s%s", zeros, "000000", number);
    XDrawString(display, hudPixmap, gc, kHudMarginLeft, baseline, line, static_cast<int>(std::strlen(line)));

    std::snprintf(line, sizeof line, "Lives: %d", lives);
    XFontStruct* fontStruct = hudDrawing->GetFontStruct();
    int textWidth = fontStruct ? XTextWidth(fontStruct, line, static_cast<int>(std::strlen(line))) : 0;
    XDrawString(display, hudPixmap, gc, width - textWidth - kHudMarginRight, baseline, line,
                static_cast<int>(std::strlen(line)));

    std::snprintf(line, sizeof line, "Level: %d", level);
    textWidth = fontStruct ? XTextWidth(fontStruct, line, static_cast<int>(std::strlen(line))) : 0;
    XDrawString(display, hudPixmap, gc, (width - textWidth) / 2, baseline, line, static_cast<int>(std::strlen(line)));

    if (!XGetSubImage(display, hudPixmap, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(hudHeight),
                      AllPlanes, ZPixmap, hudImage, 0, 0))
        return;
    RenderImage(hudImage, 0, 0, 0, 0, width, hudHeight, false, true);
}

void FormGames::LoadSpritePicture(const std::string& path, int32_t pictureWidth, int32_t pictureHeight,
                                  XImage** picture, int32_t* byteCount)
{
    if (!FileExists(path)) {
        WriteLog(path + ": non trovato");
        return;
    }
    std::vector<unsigned char> rgb;
    size_t rgbBytes = 0;
    if (!ReadRgbFile(path, pictureWidth, pictureHeight, rgb, &rgbBytes, byteCount) || !picture)
        return;
    XImage* loaded = CreateImageFromRgb(this, rgb.data(), pictureWidth, pictureHeight, rgbBytes);
    if (!loaded)
        return;
    DestroyImage(*picture);
    *picture = loaded;
}
