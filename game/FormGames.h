// FormGames: the form a game is played on. It adds to Form what a
// frame-by-frame game needs: a frame buffer of three pictures of the form's
// size composed in client memory (FrameComposer.h), the pictures the frame is
// drawn from, the glyphs of the form's font, a 10 ms frame timer and the table
// of held keys. FormMain (the game) derives from it: it lists what the frame
// shows each tick and the composer repaints what changed.
//
// The three layers, as the composer uses them:
//   bmpSfondo        the backdrop as loaded; never drawn into;
//   bmpScena         the backdrop plus every static item (tiles, coins, texts);
//   bmpScreenBuffer  bmpScena plus what moves and the overlays: what the
//                    window shows.
// Every change of the frame goes through the composer, which gathers the
// rectangles it changed; at the end of every tick exactly those go to the
// window (nothing when nothing changed). An expose (a map, a restore from
// iconified, another window moving away) sends the whole frame.
#pragma once

#include "game/world/DataFiles.h"
#include "game/FrameComposer.h"
#include "game/Glyphs.h"
#include "game/world/Colours.h"
#include "game/world/GameRules.h"
#include "game/world/KeyTable.h"
#include "gui/Form.h"
#include "app/StepClock.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <string>

class Application;
class DrawContext;
class Timer;

class FormGames : public Form {
public:
    static constexpr int32_t kWidth = DataFiles::kFrameWidth;    // pixels, fixed
    static constexpr int32_t kHeight = DataFiles::kFrameHeight;  // pixels
    static constexpr int64_t kBackColor = Colours::kNearBlack;
    static constexpr uint32_t kFrameMs = Rules::kTickMs;         // frame timer interval
    static_assert(kFrameMs == StepClock::kStepMs, "one step of the world for every step of the timers");

    FormGames(Application* app, const std::string& title);
    ~FormGames() override;

    // Game virtuals; the defaults are FormGames' own behaviour.
    // Called once, at the first paint, with the frame and glyphs ready and before the first tick.
    virtual void RunApp() {}
    // Makes frameTimer (10 ms, callback OnTick); connected to LoadHandler.
    virtual void CreateFrameTimer();
    // Stops the frame timer and raises QuitRequested: closing the game window
    // ends the program. Connected to QueryCloseHandler.
    virtual bool OnClose();
    virtual void OnResize() {}
    virtual int OnKeyPress(char /*character*/) { return 1; }
    virtual void OnKeyDown(KeySym keysym);
    virtual void OnKeyUp(KeySym keysym);
    virtual void GameSpare() {}
    // While a dialog covers the disabled form, a click raises the dialog.
    virtual void OnClick(uint64_t point);
    virtual void OnMouseDown(uint64_t /*point*/) {}

    // The first paint readies the frame and runs RunApp; every paint (an
    // expose) has the whole frame sent at the end of the tick.
    void Paint() override;
    // The frame step: the game's step (StepFrame), then what changed in the
    // frame goes to the window. A tick inside a tick returns at once.
    void OnTick() override;
    // Keys held when the focus goes are released elsewhere: none counts as held.
    void OnFocusLost() override { keyTable.ReleaseAll(); }

    // Loads a full-screen picture file (form-sized packed RGB) as the
    // backdrop; the frame is composed afresh over it. A missing or unreadable
    // file is logged and shows as black. From RunApp on.
    void RenderSfondo(const std::string& path);
    // Loads a sprite strip (packed RGB) decoded at width x height into
    // *picture, which must be null or a picture loaded here before (it is
    // freed when replaced; left unchanged on failure); *byteCount gets the
    // file's size.
    void LoadSpritePicture(const std::string& path, int32_t width, int32_t height, XImage** picture,
                           int32_t* byteCount);
    // Loads a strip as the composer's picture `index`.
    void LoadPicture(int index, const DataFiles::Picture& file);
    bool IsKeyDown(uint32_t code) const { return keyTable.IsKeyDown(code); }

    FrameComposer& Composer() { return composer; }
    const GlyphSet& Glyphs() const { return glyphs; }
    // The pixel width of the text in the font all text is drawn with.
    int32_t TextWidth(const std::string& text) const { return glyphs.TextWidth(text); }
    // That font's ascent (pixels); 0 without a font.
    int32_t FontAscent() const { return glyphs.Ascent(); }
    XImage* GetSfondo() const { return bmpSfondo; }
    XImage* GetScena() const { return bmpScena; }
    XImage* GetScreenBuffer() const { return bmpScreenBuffer; }
    XImage* GetPicture(int index) const;
    DrawContext* GetDrawing() const { return drawing; }
    Timer* GetFrameTimer() const { return frameTimer; }
    KeyTable& GetKeyTable() { return keyTable; }

    // The rectangles of the frame that changed since the last present go to
    // the window; nothing when nothing changed.
    void Present();
    // Bytes of pixels sent to the window so far.
    uint64_t PresentedBytes() const { return presentedBytes; }

protected:
    // The game's part of a tick, before the frame is presented.
    virtual void StepFrame() {}

    XImage* bmpSfondo = nullptr;
    XImage* bmpScena = nullptr;
    XImage* bmpScreenBuffer = nullptr;
    KeyTable keyTable;
    Timer* frameTimer = nullptr;
    DrawContext* drawing = nullptr;

private:
    static void FrameTimerCallback(Timer* timer);
    // The frame buffer's layers, made once the window is ready: the backdrop
    // is the window's fill until a picture is loaded.
    void MakeLayers();
    void AttachLayers();
    // Every character of the form's font drawn once and read back.
    void CaptureGlyphs();
    void FreePictures();

    FrameComposer composer;
    GlyphSet glyphs;
    XImage* pictures[FrameComposer::kMaxPictures] = {};
    uint64_t presentedBytes = 0;
    bool inTick = false;         // a nested tick returns at once
};
