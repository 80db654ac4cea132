#include "gui/DrawContext.h"

#include "app/Application.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/images/BmpReader.h"
#include "gui/images/Picture.h"
#include "support/FileUtil.h"
#include "support/Log.h"
#include "support/StringUtil.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr int32_t kNoColour = -1;
constexpr int32_t kMinTextHeight = 10;       // pixels: lower boxes draw no text
constexpr int32_t kSmallFontLineHeight = 15; // pixels, for fonts of ascent 15 or less
constexpr int kFullCircle = 360 * 64;        // X arc angles are in 1/64 degree

struct Rect {
    int32_t x, y, width, height;
};

bool Intersect(Rect& r, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const int32_t x0 = std::max(r.x, left), y0 = std::max(r.y, top);
    const int32_t x1 = std::min(r.x + r.width, right), y1 = std::min(r.y + r.height, bottom);
    if (x1 <= x0 || y1 <= y0)
        return false;
    r = {x0, y0, x1 - x0, y1 - y0};
    return true;
}

// Cuts a put of (width x height at the source point) to the picture; a width
// or height of 0 means the picture's own. False when nothing is left.
bool ClipSource(const XImage* image, int32_t& x, int32_t& y, int32_t& width, int32_t& height,
                int32_t& sourceX, int32_t& sourceY)
{
    if (image == nullptr)
        return false;
    if (width == 0)
        width = image->width;
    if (height == 0)
        height = image->height;
    if (sourceX < 0) {
        width += sourceX;
        x -= sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        height += sourceY;
        y -= sourceY;
        sourceY = 0;
    }
    width = std::min(width, image->width - sourceX);
    height = std::min(height, image->height - sourceY);
    return width > 0 && height > 0;
}

}  // namespace

DrawContext::DrawContext(Form* target)
{
    Init(target, 0);
}

DrawContext::DrawContext(Form* target, Drawable surface)
{
    Init(target, surface);
}

void DrawContext::Init(Form* target, Drawable surface)
{
    form = target != nullptr ? target : (FormList.empty() ? nullptr : FormList.front());
    if (form != nullptr && form->GetApplication() != nullptr)
        display = form->GetApplication()->GetDisplay();
    if (form != nullptr)
        drawable = surface != 0 ? surface : form->GetWindow();
    onWindow = surface == 0;
    if (display == nullptr || drawable == 0) {
        WriteLog("Errore nella creazione del GC");
        return;
    }
    XGCValues values{};
    values.cap_style = 0;
    values.join_style = 0;
    gc = XCreateGC(display, drawable, GCCapStyle | GCJoinStyle, &values);
    if (gc == nullptr) {
        WriteLog("Errore nella creazione del GC");
        return;
    }
    const int screen = form->GetApplication()->GetScreen();
    XSetForeground(display, gc, WhitePixel(display, screen));
    XSetBackground(display, gc, BlackPixel(display, screen));
    XSetFillStyle(display, gc, FillSolid);
    XSetLineAttributes(display, gc, 1, LineSolid, CapRound, JoinRound);
    GetFontStruct();
}

DrawContext::~DrawContext()
{
    if (gc != nullptr)
        XFreeGC(display, gc);
}

XFontStruct* DrawContext::GetFontStruct()
{
    if (gc == nullptr || FormList.empty())
        return nullptr;
    XFontStruct* font = FormList.front()->GetFont().GetFontStructOrDefault(display);
    // Xlib only sends the change when the GC's font really differs.
    if (font != nullptr)
        XSetFont(display, gc, font->fid);
    return font;
}

void DrawContext::SetColour(int32_t colour)
{
    if (colour != kNoColour)
        XSetForeground(display, gc, static_cast<unsigned long>(static_cast<uint32_t>(colour)));
}

void DrawContext::Flush()
{
    XFlush(display);
}

void DrawContext::DrawPoint(int32_t x, int32_t y, int32_t colour)
{
    if (gc == nullptr)
        return;
    XSetForeground(display, gc, static_cast<unsigned long>(static_cast<uint32_t>(colour)));
    XDrawPoint(display, drawable, gc, x, y);
    Flush();
}

void DrawContext::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t style, int32_t colour)
{
    if (gc == nullptr)
        return;
    SetColour(colour);
    if (style == 1 || style == 2)
        XSetLineAttributes(display, gc, 1, style == 1 ? LineOnOffDash : LineDoubleDash, CapRound, JoinRound);
    XDrawLine(display, drawable, gc, x1, y1, x2, y2);
    if (style == 1 || style == 2)
        XSetLineAttributes(display, gc, 1, LineSolid, CapRound, JoinRound);
    Flush();
}

void DrawContext::DrawLines(const XPoint* points, int32_t count, int32_t colour)
{
    if (gc == nullptr || points == nullptr || count < 1)
        return;
    SetColour(colour);
    XDrawLines(display, drawable, gc, const_cast<XPoint*>(points), count, CoordModeOrigin);
    Flush();
}

void DrawContext::FillPolygon(const XPoint* points, int32_t count, int32_t outlineWidth, int32_t outlineColour,
                              int32_t fillColour)
{
    if (gc == nullptr || points == nullptr || count < 1)
        return;
    SetColour(fillColour);
    XFillPolygon(display, drawable, gc, const_cast<XPoint*>(points), count, Complex, CoordModeOrigin);
    Flush();
    if (outlineWidth > 0)
        DrawLines(points, count, outlineColour);
}

void DrawContext::DrawRectangle(int32_t x, int32_t y, int32_t width, int32_t height, int32_t lineWidth,
                                int32_t colour)
{
    // Below 1 x 1 the X rectangle's unsigned size would wrap round.
    if (gc == nullptr || width < 1 || height < 1)
        return;
    SetColour(colour);
    if (lineWidth > 1)
        XSetLineAttributes(display, gc, static_cast<unsigned>(lineWidth), LineSolid, CapRound, JoinRound);
    XDrawRectangle(display, drawable, gc, x, y, static_cast<unsigned>(width - 1), static_cast<unsigned>(height - 1));
    if (lineWidth > 1)
        XSetLineAttributes(display, gc, 1, LineSolid, CapRound, JoinRound);
    Flush();
}

void DrawContext::FillRectangle(int32_t x, int32_t y, int32_t width, int32_t height, int32_t borderWidth,
                                int32_t borderColour, int32_t fillColour)
{
    if (gc == nullptr || width < 2 || height < 2)
        return;
    SetColour(fillColour);
    XFillRectangle(display, drawable, gc, x, y, static_cast<unsigned>(width - 1), static_cast<unsigned>(height - 1));
    Flush();
    if (borderWidth > 0)
        DrawRectangle(x, y, width - 1, height - 1, borderWidth, borderColour);
}

void DrawContext::DrawEllipse(int32_t x, int32_t y, int32_t width, int32_t height, int32_t /*lineWidth*/,
                              int32_t colour)
{
    if (gc == nullptr || width < 0 || height < 0)
        return;
    SetColour(colour);
    XSetArcMode(display, gc, ArcPieSlice);
    XDrawArc(display, drawable, gc, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, kFullCircle);
    Flush();
}

void DrawContext::FillEllipse(int32_t x, int32_t y, int32_t width, int32_t height, int32_t borderWidth,
                              int32_t borderColour, int32_t fillColour)
{
    if (gc == nullptr || width < 0 || height < 0)
        return;
    SetColour(fillColour);
    XSetArcMode(display, gc, ArcPieSlice);
    XFillArc(display, drawable, gc, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, kFullCircle);
    Flush();
    if (borderWidth > 0)
        DrawEllipse(x, y, width, height, borderWidth, borderColour);
}

int32_t DrawContext::TextWidth(const std::string& text)
{
    XFontStruct* font = GetFontStruct();
    if (font == nullptr || text.empty())
        return 0;
    return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

int32_t DrawContext::LineHeight()
{
    XFontStruct* font = GetFontStruct();
    return font != nullptr ? font->ascent + 1 : 0;
}

int32_t DrawContext::CharWidthM()
{
    return TextWidth("M");
}

int32_t DrawContext::CharWidthA()
{
    return TextWidth("a");
}

void DrawContext::DrawText(int32_t x, int32_t y, int32_t width, int32_t height, const std::string& text,
                           int32_t textColour, int32_t backColour, int32_t align)
{
    if (gc == nullptr)
        return;
    DrawTextLines(x, y, width, height, text, textColour, backColour, align);
}

// One line a round: split at the first line feed, shorten to the width, place
// and draw it, then go on with the trimmed rest one line lower. (A loop rather
// than recursion, so a tall box cannot exhaust the stack.)
void DrawContext::DrawTextLines(int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                                int32_t textColour, int32_t backColour, int32_t align)
{
    XFontStruct* font = GetFontStruct();
    if (font == nullptr)
        return;
    const int32_t lineHeight = font->ascent <= kSmallFontLineHeight ? kSmallFontLineHeight : font->ascent + 1;
    for (bool first = true;; first = false) {
        SetColour(textColour);
        if (backColour != kNoColour)
            XSetBackground(display, gc, static_cast<unsigned long>(static_cast<uint32_t>(backColour)));
        if (height < kMinTextHeight)
            return;

        std::string line = text, rest;
        bool hasRest = false;
        const size_t feed = text.find('\n');
        if (feed != std::string::npos) {
            line = text.substr(0, feed);
            rest = text.substr(feed);
            hasRest = true;
        }
        bool shortened = false;
        if (width >= 1) {
            while (!line.empty() && TextWidth(line) > width) {
                const unsigned char last = static_cast<unsigned char>(line.back());
                const size_t blank = std::isalpha(last) ? line.rfind(' ') : std::string::npos;
                const size_t cut = blank != std::string::npos ? blank : line.size() - 1;
                rest.insert(0, line, cut, std::string::npos);
                line.erase(cut);
                shortened = true;
            }
        }
        hasRest = hasRest || shortened;

        if (width >= 1 && backColour != kNoColour && first) {
            FillRectangle(x, y, width, height + 1, 0, 0, backColour);
            SetColour(textColour);
        }

        const int32_t lineWidth = TextWidth(line);
        int32_t placedX = x;
        if (shortened)
            align = 0;
        if (width >= 1 && align != 0 && lineWidth != 0)
            placedX = align == 1 ? x + width - lineWidth : x + (width - lineWidth) / 2;
        const int32_t baseline = !hasRest && first ? y + lineHeight + (height - lineHeight) / 2 : y + lineHeight;
        if (!line.empty())
            XDrawString(display, drawable, gc, placedX, baseline - 1, line.data(), static_cast<int>(line.size()));
        Flush();

        if (!hasRest)
            return;
        text = Trim(rest);
        y += lineHeight;
        height -= lineHeight;
    }
}

void DrawContext::PutImage(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image)
{
    PutImagePart(x, y, width, height, image, 0, 0);
}

void DrawContext::PutImageAt(int32_t x, int32_t y, XImage* image)
{
    PutImage(x, y, 0, 0, image);
}

void DrawContext::PutImagePart(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                               int32_t sourceX, int32_t sourceY)
{
    if (gc == nullptr || !ClipSource(image, x, y, width, height, sourceX, sourceY))
        return;
    XPutImage(display, drawable, gc, image, sourceX, sourceY, x, y, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    Flush();
}

// XGetImage of anything outside the drawable, or of a window part that is off
// the screen or unmapped, is a BadMatch error: reads are cut to the readable
// part of the drawable first.
bool DrawContext::ClipToReadable(int32_t& x, int32_t& y, int32_t& width, int32_t& height)
{
    Rect readable{x, y, width, height};
    bool any = false;
    if (onWindow) {
        XWindowAttributes attributes{};
        Window child = 0;
        int rootX = 0, rootY = 0;
        if (XGetWindowAttributes(display, drawable, &attributes) && attributes.map_state == IsViewable &&
            XTranslateCoordinates(display, drawable, attributes.root, 0, 0, &rootX, &rootY, &child)) {
            const int32_t screenWidth = WidthOfScreen(attributes.screen);
            const int32_t screenHeight = HeightOfScreen(attributes.screen);
            any = Intersect(readable, 0, 0, attributes.width, attributes.height) &&
                  Intersect(readable, -rootX, -rootY, screenWidth - rootX, screenHeight - rootY);
        }
    } else {
        Window root = 0;
        int gx = 0, gy = 0;
        unsigned gw = 0, gh = 0, border = 0, depth = 0;
        if (XGetGeometry(display, drawable, &root, &gx, &gy, &gw, &gh, &border, &depth))
            any = Intersect(readable, 0, 0, static_cast<int32_t>(gw), static_cast<int32_t>(gh));
    }
    x = readable.x;
    y = readable.y;
    width = readable.width;
    height = readable.height;
    return any;
}

unsigned long DrawContext::GetPixel(int32_t x, int32_t y)
{
    int32_t width = 1, height = 1;
    if (gc == nullptr || !ClipToReadable(x, y, width, height))
        return 0;
    XImage* image = XGetImage(display, drawable, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

XImage* DrawContext::CaptureImage(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (gc == nullptr || width < 1 || height < 1)
        return nullptr;
    ProbeVisualLayout(form);
    XImage* image = CreateBlankImage(form, width, height);
    if (image == nullptr)
        return nullptr;
    int32_t rx = x, ry = y, rw = width, rh = height;
    // Another client may unmap or move the window between the check and the
    // read: the read then fails (the X error is logged once) and so does this.
    if (ClipToReadable(rx, ry, rw, rh) &&
        XGetSubImage(display, drawable, rx, ry, static_cast<unsigned>(rw), static_cast<unsigned>(rh), AllPlanes,
                     ZPixmap, image, rx - x, ry - y) == nullptr) {
        DestroyImage(image);
        return nullptr;
    }
    return image;
}

void DrawContext::PutTransparent(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                                 int32_t keyColour)
{
    int32_t sourceX = 0, sourceY = 0;
    if (gc == nullptr || !ClipSource(image, x, y, width, height, sourceX, sourceY))
        return;
    XImage* window = CaptureImage(x, y, width, height);
    if (window == nullptr)
        return;
    MergeTransparentImage(form, image, window, width, height, static_cast<uint32_t>(keyColour) & 0xFFFFFF);
    PutImage(x, y, width, height, image);
    DestroyImage(window);
}

void DrawContext::PutImageTransparent(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                                      int32_t keyColour)
{
    PutCopyTransparent(x, y, width, height, image, 0, 0, keyColour);
}

void DrawContext::PutImageRegionTransparent(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                                            int32_t sourceX, int32_t sourceY)
{
    PutCopyTransparent(x, y, width, height, image, sourceX, sourceY, 0);
}

void DrawContext::PutCopyTransparent(int32_t x, int32_t y, int32_t width, int32_t height, XImage* image,
                                     int32_t sourceX, int32_t sourceY, int32_t keyColour)
{
    if (gc == nullptr || !ClipSource(image, x, y, width, height, sourceX, sourceY))
        return;
    // The part is copied row by row on the client: the merge may then
    // change the copy while the caller's picture stays untouched.
    XImage* part = CreateBlankImage(form, width, height);
    if (part == nullptr)
        return;
    if (part->bits_per_pixel == image->bits_per_pixel) {
        const size_t pixelBytes = static_cast<size_t>(image->bits_per_pixel / 8);
        for (int32_t row = 0; row < height; ++row)
            std::memcpy(part->data + static_cast<size_t>(row) * part->bytes_per_line,
                        image->data + static_cast<size_t>(sourceY + row) * image->bytes_per_line +
                            static_cast<size_t>(sourceX) * pixelBytes,
                        static_cast<size_t>(width) * pixelBytes);
        PutTransparent(x, y, width, height, part, keyColour);
    }
    DestroyImage(part);
}

void DrawContext::DrawFile(int32_t x, int32_t y, int32_t width, int32_t height, int32_t bitsPerPixel,
                           const std::string& path, bool transparent)
{
    if (gc == nullptr || !FileExists(path))
        return;
    RgbPicture picture;
    if (bitsPerPixel == 4)
        picture = ReadBmp4(path);
    else if (bitsPerPixel == 8)
        picture = ReadBmp8(path);
    else if (bitsPerPixel == 24)
        picture = ReadBmp24(path);
    if (!picture)
        return;
    // Built at the file's own size and put at the size asked for, so a
    // picture smaller than that size is never read past its end.
    XImage* image = CreateImageFromRgb(form, picture);
    if (transparent)
        PutTransparent(x, y, width, height, image, 0);
    else
        PutImage(x, y, width, height, image);
    DestroyImage(image);
}

void DrawContext::DrawImageFile(int32_t x, int32_t y, int32_t width, int32_t height, int32_t bitsPerPixel,
                                const std::string& path)
{
    DrawFile(x, y, width, height, bitsPerPixel, path, false);
}

void DrawContext::DrawImageFileTransparent(int32_t x, int32_t y, int32_t width, int32_t height,
                                           int32_t bitsPerPixel, const std::string& path)
{
    DrawFile(x, y, width, height, bitsPerPixel, path, true);
}
