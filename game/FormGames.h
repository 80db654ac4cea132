// FormGames: the form a game is played on. It adds to Form what a
// frame-by-frame game needs: a software frame buffer of three pictures of the
// form's size, operations that paint a background, images, rectangles and
// text into them, restoring of the background under a moving image, a 10 ms
// frame timer, the table of held keys and the three counters of a game.
//
// The compositor is three layers held in client memory:
//   bmpSfondo        the background as loaded; never drawn into;
//   bmpScena         the background plus every static image (tiles, coins,
//                    texts): moving images are restored from it;
//   bmpScreenBuffer  bmpScena plus this frame's moving images: what the
//                    window shows, copied to it every sixth tick.
// FormMain (the game) derives from it and supplies the game through the
// virtuals below; sprites (game/Sprite.h) draw and erase themselves through
// RenderImage and RipristinaSfondo.
#pragma once

#include "game/DataFiles.h"
#include "game/KeyTable.h"
#include "gui/Form.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <string>
#include <vector>

class Application;
class DrawContext;
class Timer;

// Which layers RipristinaSfondo reads and writes.
enum class RestoreLayer {
    Scene,  // from bmpSfondo into bmpScena and bmpScreenBuffer (static sprites)
    Frame,  // from bmpScena into bmpScreenBuffer only (moving sprites)
};

class FormGames : public Form {
public:
    static constexpr int32_t kWidth = DataFiles::kFrameWidth;    // pixels, fixed
    static constexpr int32_t kHeight = DataFiles::kFrameHeight;  // pixels
    static constexpr int64_t kBackColor = 0x010101;  // not black: black is transparent
    static constexpr int32_t kStartingLives = 3;
    static constexpr const char* kLoadingText = "L O A D I N G . . .";
    static constexpr int32_t kLoadingTextX = 10;     // pixels
    static constexpr int32_t kLoadingTextY = 60;     // pixels
    static constexpr uint32_t kFrameMs = 10;         // frame timer interval
    // A frame reaches the window once more than this has passed since the
    // last one: on every sixth 10 ms tick, so every 60 ms.
    static constexpr int32_t kPresentAfterMs = 50;

    FormGames(Application* app, const std::string& title);
    ~FormGames() override;

    // Game virtuals; the defaults are FormGames' own behaviour.
    // Called once, at the first paint, with `drawing` ready and before the first tick.
    virtual void RunApp() {}
    virtual void StartLevel();
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

    void Paint() override;
    // The frame step: presents bmpScreenBuffer every sixth tick. FormMain
    // overrides it and calls this one at its end.
    void OnTick() override;
    // Keys held when the focus goes are released elsewhere: none counts as held.
    void OnFocusLost() override { keyTable.ReleaseAll(); }

    // Loads a background file (form-sized packed RGB) into all three
    // pictures and shows it. Only from RunApp on.
    void RenderSfondo(const std::string& path);
    // Copies bmpSfondo over bmpScena and bmpScreenBuffer.
    void RenderSfondo();
    // Copies the rectangle (form pixels) from the lower layer: Scene copies
    // bmpSfondo into bmpScena and bmpScreenBuffer, Frame copies bmpScena into
    // bmpScreenBuffer. Parts outside the pictures are not copied.
    void RipristinaSfondo(RestoreLayer layer, int32_t x, int32_t y, int32_t width, int32_t height);
    // Copies the source rectangle [left, right) x [top, bottom) of the image to
    // (x, y) of bmpScreenBuffer, and of bmpScena too with intoScene, clipped
    // at every edge; with transparent, black source pixels are skipped.
    void RenderImage(XImage* image, int32_t x, int32_t y, int32_t left, int32_t top, int32_t right,
                     int32_t bottom, bool intoScene, bool transparent);
    // Fills on the window and, once the scene exists, into the scene.
    void RenderRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t colour);
    // Writes on the window and, once the scene exists, into the scene (the
    // black around the glyphs is transparent). Width 0: the text's width.
    void RenderText(int32_t x, int32_t y, int32_t width, int32_t height, const std::string& text,
                    int32_t colour);
    void RenderText(int32_t x, int32_t y, const std::string& text, int32_t colour)
    {
        RenderText(x, y, 0, kShortTextHeight, text, colour);
    }
    // The status line (score, lives, level) across the top of bmpScreenBuffer.
    void RenderHud();
    // Loads a sprite strip (packed RGB) decoded at width x height into
    // *picture, which must be null or a picture loaded here before (it is
    // freed when replaced; left unchanged on failure); *byteCount gets the
    // file's size. Sprites made from the old picture must not draw again.
    void LoadSpritePicture(const std::string& path, int32_t width, int32_t height, XImage** picture,
                           int32_t* byteCount);
    bool IsKeyDown(uint32_t code) const { return keyTable.IsKeyDown(code); }

    int32_t GetLevel() const { return level; }
    int32_t GetLives() const { return lives; }
    int32_t GetScore() const { return score; }
    XImage* GetSfondo() const { return bmpSfondo; }
    XImage* GetScena() const { return bmpScena; }
    XImage* GetScreenBuffer() const { return bmpScreenBuffer; }
    DrawContext* GetDrawing() const { return drawing; }
    Timer* GetFrameTimer() const { return frameTimer; }
    KeyTable& GetKeyTable() { return keyTable; }
    // The pixel width of the text in the font all text is drawn with.
    int32_t TextWidth(const std::string& text);
    // That font's ascent (pixels); 0 without a font.
    int32_t FontAscent();

protected:
    static constexpr int32_t kShortTextHeight = 18;  // pixels

    int32_t level = 1;
    int32_t lives = 3;
    int32_t score = 0;
    XImage* bmpSfondo = nullptr;
    XImage* bmpScena = nullptr;
    XImage* bmpScreenBuffer = nullptr;
    Pixmap hudPixmap = 0;
    KeyTable keyTable;
    Timer* frameTimer = nullptr;
    bool rendering = false;  // a picture operation is rewriting the buffers
    DrawContext* drawing = nullptr;

private:
    static void FrameTimerCallback(Timer* timer);
    void FreePictures();
    // Reads the window rectangle back and composes it into the scene.
    void CaptureIntoScene(int32_t x, int32_t y, int32_t width, int32_t height, bool transparent);

    int32_t presentCounter = 0;  // ms of ticks since the last present
    bool inTick = false;         // a nested tick returns at once
    // RenderImage's row buffer, sized once so that a frame allocates nothing.
    std::vector<unsigned char> rowBuffer;
    // The status line: drawn into hudPixmap, read back into hudImage (both
    // made on first use and reused).
    DrawContext* hudDrawing = nullptr;
    XImage* hudImage = nullptr;
    int32_t hudHeight = 0;  // pixels
};
