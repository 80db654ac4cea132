#include "gui/images/Picture.h"

#include "app/Application.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "support/Log.h"

#include <cstdlib>
#include <string>

namespace {

constexpr int32_t kProbeColour = 0xCF3B76;  // red 0xCF, green 0x3B, blue 0x76
constexpr unsigned char kProbeRed = 0xCF;
constexpr unsigned char kProbeGreen = 0x3B;
constexpr unsigned char kProbeBlue = 0x76;
constexpr int kMaxProbedBytes = 8;
constexpr int32_t kMaxImageSide = 32767;  // pixels: X drawables have 16-bit sizes

// The display and window of the element's form, when the form has a window.
bool FormSurface(GUIElement* element, Display*& display, Window& window, int& screen)
{
    Form* form = FormOf(element);
    if (form == nullptr || form->GetApplication() == nullptr ||
        form->GetApplication()->GetDisplay() == nullptr || form->GetWindow() == 0)
        return false;
    display = form->GetApplication()->GetDisplay();
    window = form->GetWindow();
    screen = form->GetApplication()->GetScreen();
    return true;
}

void WarnIfNot(const char* prefix, int value, int expected)
{
    if (value != expected)
        WriteLog(std::string(prefix) + std::to_string(value));
}

// Reads the probe colour back from a 1 x 1 pixmap of the window's depth: a
// pixel drawn on the window itself is lost while the window is unmapped or
// covered, and reading an unmapped window is a BadMatch error.
XImage* ReadProbePixel(Display* display, Window window)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes))
        return nullptr;
    const Pixmap pixmap = XCreatePixmap(display, window, 1, 1, static_cast<unsigned>(attributes.depth));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XImage* image = nullptr;
    if (gc != nullptr) {
        XSetForeground(display, gc, static_cast<unsigned long>(kProbeColour));
        XDrawPoint(display, pixmap, gc, 0, 0);
        image = XGetImage(display, pixmap, 0, 0, 1, 1, AllPlanes, ZPixmap);
        XFreeGC(display, gc);
    }
    XFreePixmap(display, pixmap);
    return image;
}

void StoreColourIndices(const XImage* image)
{
    int bytes = image->bits_per_pixel / 8;
    if (bytes > kMaxProbedBytes)
        bytes = kMaxProbedBytes;
    if (bytes > image->bytes_per_line)
        bytes = image->bytes_per_line;
    bool red = false, green = false, blue = false;
    for (int i = 0; i < bytes; ++i) {
        const unsigned char byte = static_cast<unsigned char>(image->data[i]);
        if (byte == kProbeRed) {
            VisualLayout.ixRosso = i;
            red = true;
        } else if (byte == kProbeGreen) {
            VisualLayout.ixVerde = i;
            green = true;
        } else if (byte == kProbeBlue) {
            VisualLayout.ixBlu = i;
            blue = true;
        }
    }
    const bool all = red && green && blue;
    if (!all || VisualLayout.ixRosso != 2)
        WriteLog("WARNING MyImage::ixRosso: " + std::to_string(VisualLayout.ixRosso));
    if (!all || VisualLayout.ixVerde != 1)
        WriteLog("WARNING MyImage::ixVerde: " + std::to_string(VisualLayout.ixVerde));
    if (!all || VisualLayout.ixBlu != 0)
        WriteLog("WARNING MyImage::ixBlu: " + std::to_string(VisualLayout.ixBlu));
}

bool SizeFits(const char* operation, int32_t width, int32_t height)
{
    if (width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide)
        return true;
    WriteLog(std::string(operation) + ": size " + std::to_string(width) + " x " + std::to_string(height));
    return false;
}

// A zeroed image of the probed layout; its pixels are malloc'd so that
// XDestroyImage frees them.
XImage* NewImage(GUIElement* element, const char* operation, int32_t width, int32_t height, bool warnPadding)
{
    Display* display = nullptr;
    Window window = 0;
    int screen = 0;
    if (!FormSurface(element, display, window, screen)) {
        WriteLog(std::string(operation) + ": no form window");
        return nullptr;
    }
    ProbeVisualLayout(element);
    const PixelLayout layout = CurrentPixelLayout();
    if (VisualLayout.depth == 0 || !IsUsableLayout(layout)) {
        WriteLog(std::string(operation) + ": no usable pixel layout");
        return nullptr;
    }
    if (!SizeFits(operation, width, height))
        return nullptr;
    const size_t rowBytes = RowBytes(layout, width);
    const size_t padded = PaddedRowBytes(layout, width);
    if (warnPadding && padded != rowBytes)
        WriteLog("WARNING img width: " + std::to_string(width) +
                 " - bytes_per_line_Pad != bytes_per_line: " + std::to_string(padded) + " " +
                 std::to_string(rowBytes));
    char* pixels = static_cast<char*>(std::calloc(padded * static_cast<size_t>(height), 1));
    if (pixels == nullptr) {
        WriteLog(std::string(operation) + ": out of memory");
        return nullptr;
    }
    XImage* image = XCreateImage(display, DefaultVisual(display, screen),
                                 static_cast<unsigned>(VisualLayout.depth), VisualLayout.format,
                                 VisualLayout.xoffset, pixels, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), (VisualLayout.bitmapPad / 8) * 8,
                                 static_cast<int>(padded));
    if (image == nullptr) {
        std::free(pixels);
        WriteLog(std::string(operation) + ": XCreateImage failed");
    }
    return image;
}

}  // namespace

Form* FormOf(GUIElement* element)
{
    for (GUIElement* e = element; e != nullptr; e = e->GetParent())
        if (e->GetType() == kTypeForm)
            return static_cast<Form*>(e);
    return nullptr;
}

void ProbeVisualLayout(GUIElement* element)
{
    if (VisualLayout.depth != 0)
        return;
    Display* display = nullptr;
    Window window = 0;
    int screen = 0;
    if (!FormSurface(element, display, window, screen))
        return;  // no window to probe with yet: the next call tries again

    DrawContext(FormOf(element)).DrawPoint(0, 0, kProbeColour);
    XImage* image = ReadProbePixel(display, window);
    if (image == nullptr) {
        WriteLog("ProbeVisualLayout: XGetImage failed");
        return;
    }
    VisualLayout.format = image->format;
    VisualLayout.xoffset = image->xoffset;
    VisualLayout.bitmapPad = image->bitmap_pad;
    VisualLayout.bitsPerPixel = image->bits_per_pixel;
    VisualLayout.bitOrder = image->bitmap_bit_order;
    VisualLayout.depth = image->depth;

    WarnIfNot("WARNING img->format: ", image->format, ZPixmap);
    WarnIfNot("WARNING img->xoffset: ", image->xoffset, 0);
    WarnIfNot("WARNING img->bitmap_pad: ", image->bitmap_pad, 32);
    WarnIfNot("WARNING img->bitmap_unit: ", image->bitmap_unit, 32);
    WarnIfNot("WARNING img->depth: ", image->depth, 24);
    WarnIfNot("WARNING img->bits_per_pixel: ", image->bits_per_pixel, 32);
    WarnIfNot("WARNING img->bitmap_bit_order: ", image->bitmap_bit_order, LSBFirst);
    WarnIfNot("WARNING img->byte_order: ", image->byte_order, LSBFirst);
    StoreColourIndices(image);
    XDestroyImage(image);
}

XImage* CreateImageFromRgb(GUIElement* element, const unsigned char* rgb, int32_t width, int32_t height,
                           size_t rgbBytes)
{
    if (rgb == nullptr)
        return nullptr;
    XImage* image = NewImage(element, "CreateImageFromRgb", width, height, true);
    if (image == nullptr)
        return nullptr;
    const size_t wanted = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    if (rgbBytes < wanted)
        WriteLog("WARNING CreateImageFromRgb: " + std::to_string(rgbBytes) + " bytes for " +
                 std::to_string(width) + " x " + std::to_string(height) + " pixels, the rest stays black");
    PackRgbPixels(CurrentPixelLayout(), rgb, rgbBytes, width, height,
                  reinterpret_cast<unsigned char*>(image->data), static_cast<size_t>(image->bytes_per_line));
    return image;
}

XImage* CreateImageFromRgb(GUIElement* element, const RgbPicture& picture)
{
    return CreateImageFromRgb(element, picture.rgb.get(), picture.width, picture.height, picture.Bytes());
}

XImage* CreateBlankImage(GUIElement* element, int32_t width, int32_t height)
{
    return NewImage(element, "CreateBlankImage", width, height, false);
}

void DestroyImage(XImage* image)
{
    if (image != nullptr)
        XDestroyImage(image);
}

Pixmap ImageToPixmap(GUIElement* element, XImage* image)
{
    Display* display = nullptr;
    Window window = 0;
    int screen = 0;
    if (image == nullptr || !FormSurface(element, display, window, screen))
        return None;
    const Pixmap pixmap = XCreatePixmap(display, window, static_cast<unsigned>(image->width),
                                        static_cast<unsigned>(image->height), static_cast<unsigned>(image->depth));
    XGCValues values{};
    values.foreground = 0;
    values.background = 0;
    GC gc = XCreateGC(display, pixmap, GCForeground | GCBackground, &values);
    if (gc == nullptr) {
        WriteLog("Errore XCreateGC");
        return pixmap;
    }
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(image->width),
              static_cast<unsigned>(image->height));
    XFreeGC(display, gc);
    return pixmap;
}

void MergeTransparentImage(GUIElement* element, XImage* picture, const XImage* window, int32_t width,
                           int32_t height, uint32_t keyColour)
{
    if (picture == nullptr || window == nullptr)
        return;
    ProbeVisualLayout(element);
    const PixelLayout layout = CurrentPixelLayout();
    // Both images must have the probed pixel size for offsets to match.
    if (picture->bits_per_pixel != layout.bytesPerPixel * 8 || window->bits_per_pixel != picture->bits_per_pixel)
        return;
    if (width > picture->width)
        width = picture->width;
    if (width > window->width)
        width = window->width;
    if (height > picture->height)
        height = picture->height;
    if (height > window->height)
        height = window->height;
    MergeTransparent(layout, reinterpret_cast<unsigned char*>(picture->data),
                     static_cast<size_t>(picture->bytes_per_line),
                     reinterpret_cast<const unsigned char*>(window->data),
                     static_cast<size_t>(window->bytes_per_line), width, height, keyColour);
}
