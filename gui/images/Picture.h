// The picture layer over X. Every picture is a client-side XImage whose pixel
// bytes this code lays out itself, in the layout measured once per process by
// drawing one point and reading it back (ProbeVisualLayout, VisualLayout in
// PixelLayout.h). Decoders (BmpReader, PaletteImage, the .bin files) deliver
// packed RGB; CreateImageFromRgb turns it into an XImage; the drawing context
// puts XImages on windows, merging them with the window for transparency.
//
// "element" is any element of a form: it is only used to find the form (the
// element itself or its first ancestor of type "form"), its window and display.
#pragma once

#include "gui/images/PixelLayout.h"
#include "gui/images/RgbPicture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstddef>
#include <cstdint>

class GUIElement;
class Form;

// The form an element belongs to: itself when it is a form, else the first
// ancestor of type "form"; null when there is none.
Form* FormOf(GUIElement* element);

// Fills VisualLayout on the first call that finds a created form window, and
// logs every value that differs from a 24-bit TrueColor display in 32-bit
// little-endian pixels; does nothing once the layout is known.
void ProbeVisualLayout(GUIElement* element);

// A new XImage of width x height pixels in the probed layout, from rgbBytes
// bytes of packed RGB. Pixels the buffer does not cover (a short .bin file)
// stay black; it is never read past rgbBytes. Null for a null buffer, a size
// below 1 x 1 or an element without a created form.
XImage* CreateImageFromRgb(GUIElement* element, const unsigned char* rgb, int32_t width,
                           int32_t height, size_t rgbBytes);
XImage* CreateImageFromRgb(GUIElement* element, const RgbPicture& picture);

// A new all-black XImage of width x height in the probed layout (the frame
// buffers of the game are made this way). Null as for CreateImageFromRgb.
XImage* CreateBlankImage(GUIElement* element, int32_t width, int32_t height);

// Frees an XImage and its pixels: one built here or read back from the
// server with XGetImage (both keep their pixels in malloc'd memory). Null is ignored.
void DestroyImage(XImage* image);

// A new pixmap on the form's window of the picture's size and depth holding
// the picture; None without a form or picture. The caller frees it (XFreePixmap).
Pixmap ImageToPixmap(GUIElement* element, XImage* image);

// The transparent merge on two XImages of the probed layout: every pixel of
// picture's top-left width x height whose colour bytes equal keyColour
// (0xRRGGBB) takes the colour bytes of window's pixel at the same place.
// The sizes are cut to what both images hold.
void MergeTransparentImage(GUIElement* element, XImage* picture, const XImage* window,
                           int32_t width, int32_t height, uint32_t keyColour);
