#include "game/FormGames.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "gui/DrawContext.h"
#include "gui/controls/Timer.h"
#include "gui/images/Picture.h"
#include "gui/images/RgbFile.h"
#include "support/FileUtil.h"
#include "support/Log.h"

#include <X11/Xutil.h>
#include <algorithm>
#include <vector>

namespace {

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

// A key symbol as a key-table code; symbols beyond 32 bits have no slot.
uint32_t TableCode(KeySym keysym) { return keysym > 0xFFFFFFFFul ? 0x100 : static_cast<uint32_t>(keysym); }

PixelImage ViewOf(XImage* image)
{
    if (image == nullptr)
        return PixelImage{};
    return PixelImage{image->width, image->height, image->bytes_per_line, reinterpret_cast<uint8_t*>(image->data)};
}

}  // namespace

FormGames::FormGames(Application* app, const std::string& title) : Form(0)
{
    keyTable.Reset();
    SetBackColor(kBackColor);
    SetSize(kWidth, kHeight);
    SetTitle(title);
    SetStyleFlag3(false);
    SetStyleFlag2(true);

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
    for (XImage*& picture : pictures) {
        DestroyImage(picture);
        picture = nullptr;
    }
}

void FormGames::CreateFrameTimer()
{
    if (frameTimer)
        return;
    frameTimer = new Timer(this, kFrameMs);
    frameTimer->SetCallback(FrameTimerCallback);
}

void FormGames::FrameTimerCallback(Timer* timer) { static_cast<FormGames*>(timer->GetParent())->OnTick(); }

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
        MakeLayers();
        CaptureGlyphs();
        RunApp();
        if (frameTimer)
            frameTimer->Start();
    }
    // What the window showed is gone: all of the frame goes at the next present.
    composer.ExposeAll();
    Form::Paint();
}

void FormGames::MakeLayers()
{
    bmpSfondo = CreateBlankImage(this, width, height);
    bmpScena = CreateBlankImage(this, width, height);
    bmpScreenBuffer = CreateBlankImage(this, width, height);
    composer.SetLayout(CurrentPixelLayout());
    if (bmpSfondo != nullptr)
        Paint::Fill(ViewOf(bmpSfondo), ViewOf(bmpSfondo).Area(), static_cast<int32_t>(kBackColor),
                    composer.Layout(), ViewOf(bmpSfondo).Area());
    AttachLayers();
}

void FormGames::AttachLayers() { composer.SetLayers(ViewOf(bmpSfondo), ViewOf(bmpScena), ViewOf(bmpScreenBuffer)); }

void FormGames::CaptureGlyphs()
{
    XFontStruct* font = drawing != nullptr ? drawing->GetFontStruct() : nullptr;
    Display* display = application != nullptr ? application->GetDisplay() : nullptr;
    if (font == nullptr || display == nullptr || window == 0)
        return;
    // Every glyph gets a cell as wide as the widest ink or advance, its pen
    // origin far enough in for ink left of the origin.
    const int32_t originX = std::max(0, -static_cast<int32_t>(font->min_bounds.lbearing));
    const int32_t cellWidth =
        std::max<int32_t>(originX + font->max_bounds.rbearing, originX + font->max_bounds.width) + 1;
    const int32_t cellHeight = font->ascent + font->descent;
    if (cellWidth <= 0 || cellHeight <= 0)
        return;
    const unsigned pixmapWidth = static_cast<unsigned>(cellWidth * GlyphSet::kCount);
    const Pixmap pixmap = XCreatePixmap(display, window, pixmapWidth, static_cast<unsigned>(cellHeight),
                                        static_cast<unsigned>(application->GetDepth()));
    if (pixmap == 0)
        return;
    XImage* cells = nullptr;
    {
        DrawContext pen(this, pixmap);
        if (pen.IsValid()) {
            GC gc = pen.GetGC();
            XSetForeground(display, gc, 0);
            XFillRectangle(display, pixmap, gc, 0, 0, pixmapWidth, static_cast<unsigned>(cellHeight));
            XSetForeground(display, gc, 0xFFFFFF);
            for (int c = 1; c < GlyphSet::kCount; ++c) {
                const char character = static_cast<char>(c);
                XDrawString(display, pixmap, gc, c * cellWidth + originX, font->ascent, &character, 1);
            }
            cells = XGetImage(display, pixmap, 0, 0, pixmapWidth, static_cast<unsigned>(cellHeight), AllPlanes,
                              ZPixmap);
        }
    }
    XFreePixmap(display, pixmap);
    glyphs.Reset(font->ascent, font->descent, cellWidth, originX);
    for (int c = 1; c < GlyphSet::kCount; ++c) {
        const char character = static_cast<char>(c);
        glyphs.SetAdvance(static_cast<unsigned char>(c), XTextWidth(font, &character, 1));
        if (cells == nullptr)
            continue;
        for (int32_t cy = 0; cy < cellHeight; ++cy)
            for (int32_t cx = 0; cx < cellWidth; ++cx)
                if ((XGetPixel(cells, c * cellWidth + cx, cy) & 0xFFFFFF) != 0)
                    glyphs.SetInk(static_cast<unsigned char>(c), cx, cy);
    }
    if (cells != nullptr)
        XDestroyImage(cells);
    composer.SetGlyphs(&glyphs);
}

void FormGames::OnTick()
{
    if (inTick)
        return;
    inTick = true;
    StepFrame();
    Present();
    Form::OnTick();
    inTick = false;
}

void FormGames::Present()
{
    if (drawing == nullptr || bmpScreenBuffer == nullptr || composer.Changed().empty())
        return;
    for (const Rect& rect : composer.Changed()) {
        drawing->PutImagePart(rect.x, rect.y, rect.width, rect.height, bmpScreenBuffer, rect.x, rect.y);
        presentedBytes += static_cast<uint64_t>(rect.Area()) * static_cast<uint64_t>(bmpScreenBuffer->bits_per_pixel / 8);
    }
    composer.ClearChanged();
}

void FormGames::RenderSfondo(const std::string& path)
{
    if (!drawing) {
        WriteLog("RenderSfondo(file): E' possibile caricare lo sfondo nel metodo RunApp o nei metodi successivi.");
        return;
    }
    std::vector<unsigned char> rgb;
    size_t rgbBytes = 0;
    // A file that is missing or cannot be read (logged) shows a black picture,
    // never the last one.
    if (!FileExists(path)) {
        WriteLog(path + ": non trovato");
        rgbBytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
        rgb.assign(rgbBytes, 0);
    } else if (!ReadRgbFile(path, width, height, rgb, &rgbBytes, nullptr)) {
        std::fill(rgb.begin(), rgb.end(), 0);
    }
    XImage* loaded = CreateImageFromRgb(this, rgb.data(), width, height, rgbBytes);
    if (loaded == nullptr)
        return;
    DestroyImage(bmpSfondo);
    bmpSfondo = loaded;
    AttachLayers();
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

void FormGames::LoadPicture(int index, const DataFiles::Picture& file)
{
    if (index < 0 || index >= FrameComposer::kMaxPictures)
        return;
    int32_t bytes = 0;
    LoadSpritePicture(DataFiles::PathOf(file), file.width, file.height, &pictures[index], &bytes);
    composer.SetPicture(index, ViewOf(pictures[index]));
}

XImage* FormGames::GetPicture(int index) const
{
    return index >= 0 && index < FrameComposer::kMaxPictures ? pictures[index] : nullptr;
}
