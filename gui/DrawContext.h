// DrawContext: a short-lived drawing surface on one form's window (or on a
// pixmap of that form's display), with one X graphics context. Every
// primitive sets its colour, issues one X request and flushes, so what is
// drawn is on the screen when the call returns. Coordinates are window
// pixels, colours 0xRRGGBB used directly as pixel values; a colour of -1
// keeps the colour of the previous primitive (DrawPoint excepted).
// Text and text metrics always use the font of the first form in FormList.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdint>
#include <string>

class Form;

class DrawContext {
public:
    // On the window of form, or of the first form in FormList when null.
    explicit DrawContext(Form* form = nullptr);
    // On a drawable of the form's display and depth, e.g. an off-screen
    // pixmap; reading back (GetPixel, CaptureImage, the transparent puts)
    // then reads that drawable.
    DrawContext(Form* form, Drawable target);
    ~DrawContext();
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    // False when no graphics context could be made; every primitive then does nothing.
    bool IsValid() const { return gc != nullptr; }
    Form* GetForm() const { return form; }
    Display* GetDisplay() const { return display; }
    Drawable GetDrawable() const { return drawable; }
    GC GetGC() const { return gc; }

    // Sets the colour even when it is -1.
    void DrawPoint(int32_t x, int32_t y, int32_t colour);
    // The pixel value at (x, y); 0 outside the visible part of the window.
    unsigned long GetPixel(int32_t x, int32_t y);
    // style 0 solid, 1 on-off dashed, 2 double dashed; lines end solid again.
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t style, int32_t colour);
    void DrawLines(const XPoint* points, int32_t count, int32_t colour);
    void FillPolygon(const XPoint* points, int32_t count, int32_t outlineWidth, int32_t outlineColour,
                     int32_t fillColour);
    // Outlines exactly width x height pixels from (x, y).
    void DrawRectangle(int32_t x, int32_t y, int32_t width, int32_t height, int32_t lineWidth,
                       int32_t colour);
    // Fills (width - 1) x (height - 1) pixels from (x, y); a border of the same extent.
    void FillRectangle(int32_t x, int32_t y, int32_t width, int32_t height, int32_t borderWidth,
                       int32_t borderColour, int32_t fillColour);
    void DrawEllipse(int32_t x, int32_t y, int32_t width, int32_t height, int32_t lineWidth,
                     int32_t colour);
    void FillEllipse(int32_t x, int32_t y, int32_t width, int32_t height, int32_t borderWidth,
                     int32_t borderColour, int32_t fillColour);
    // Splits at line feeds and, with a width, wraps at blanks; align 0 left,
    // 1 right, anything else centred; a single line is centred vertically.
    void DrawText(int32_t x, int32_t y, int32_t width, int32_t height, const std::string& text,
                  int32_t textColour, int32_t backColour, int32_t align);

    // A width or height of 0 means the picture's own; larger sizes are cut
    // to the picture (there is no scaling: a smaller size crops from the top left).
    void PutImage(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image);
    void PutImageAt(int32_t x, int32_t y, XImage* image);
    void PutImagePart(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                      int32_t sourceX, int32_t sourceY);
    // Pixels of keyColour show the window's previous pixels; image stays untouched.
    void PutImageTransparent(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                             int32_t keyColour);
    // The part at the source point, black transparent; image stays untouched.
    void PutImageRegionTransparent(int32_t x, int32_t y, int32_t width, int32_t height,
                                   XImage* image, int32_t sourceX, int32_t sourceY);
    // A new picture of that rectangle (the caller frees it with DestroyImage);
    // parts outside the visible window read as black. Null for an empty
    // rectangle, and when the read failed (the window went away meanwhile).
    XImage* CaptureImage(int32_t x, int32_t y, int32_t width, int32_t height);
    // BMP files of 4, 8 or 24 bits a pixel; a missing file or another depth draws nothing.
    void DrawImageFile(int32_t x, int32_t y, int32_t width, int32_t height, int32_t bitsPerPixel,
                       const std::string& path);
    void DrawImageFileTransparent(int32_t x, int32_t y, int32_t width, int32_t height,
                                  int32_t bitsPerPixel, const std::string& path);

    // Metrics of the first form's font.
    int32_t LineHeight();   // ascent + 1
    int32_t CharWidthM();
    int32_t CharWidthA();
    int32_t TextWidth(const std::string& text);
    // The first form's font (or the server's default); null without either.
    XFontStruct* GetFontStruct();

private:
    void Init(Form* target, Drawable surface);
    void SetColour(int32_t colour);
    void Flush();
    bool ClipToReadable(int32_t& x, int32_t& y, int32_t& width, int32_t& height);
    void DrawTextLines(int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                       int32_t textColour, int32_t backColour, int32_t align);
    // Merges image itself: only for pictures of the drawing context's own.
    void PutTransparent(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                        int32_t keyColour);
    void PutCopyTransparent(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                            int32_t sourceX, int32_t sourceY, int32_t keyColour);
    void DrawFile(int32_t x, int32_t y, int32_t width, int32_t height, int32_t bitsPerPixel,
                  const std::string& path, bool transparent);

    GC gc = nullptr;
    Form* form = nullptr;
    Display* display = nullptr;
    Drawable drawable = 0;
    bool onWindow = true;  // drawable is the form's window, not a pixmap
};
