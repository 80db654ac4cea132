#include "gui/images/MyImage.h"

#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/images/PaletteImage.h"
#include "gui/images/Picture.h"
#include "support/Packing.h"

namespace {
constexpr int32_t kBorderDark = 0x000000;
constexpr int32_t kBorderLight = 0xFFFFFF;
}

MyImage::MyImage(GUIElement* parentElement, XImage* image) : Child(parentElement), picture(image)
{
    type = kTypeImage;
    tabStop = false;
    repaintWithContainer = true;
}

MyImage::MyImage(GUIElement* parentElement, const PaletteImage* image, int32_t newWidth, int32_t newHeight)
    : Child(parentElement), source(image)
{
    type = kTypeImage;
    tabStop = false;
    repaintWithContainer = true;
    width = newWidth;
    height = newHeight;
}

MyImage::~MyImage()
{
    FreeOwnedPicture();
}

void MyImage::FreeOwnedPicture()
{
    if (!ownsPicture)
        return;
    DestroyImage(picture);
    picture = nullptr;
    ownsPicture = false;
}

void MyImage::Paint()
{
    if (FormLoading || !created)
        return;
    Form* form = GetForm();
    if (form == nullptr)
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at);

    if (source != nullptr && picture == nullptr && !sourceRefused) {
        RgbBuffer rgb = DecodePaletteImage(width, height, source);
        if (rgb) {
            picture = CreateImageFromRgb(this, rgb.get(), width, height,
                                         static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
            ownsPicture = picture != nullptr;
        }
        // Logged where it failed; every later paint would log it again.
        sourceRefused = picture == nullptr;
    }
    DrawContext drawing(form);
    if (picture != nullptr)
        drawing.PutImage(px, py, width, height, picture);
    else
        drawing.FillRectangle(px, py, width, height, 0, 0, ContainerBackColor());
    if (border) {
        const int32_t right = px + width - 1, bottom = py + height - 1;
        drawing.DrawLine(px, py, right, py, 0, kBorderDark);
        drawing.DrawLine(px, py, px, bottom, 0, kBorderDark);
        drawing.DrawLine(right, py, right, bottom, 0, kBorderLight);
        drawing.DrawLine(px, bottom, right, bottom, 0, kBorderLight);
    }
}

void MyImage::SetImage(XImage* image)
{
    if (source != nullptr) {
        FreeOwnedPicture();
        source = nullptr;
    }
    picture = image;
    PaintIfCreated();
}

void MyImage::SetPaletteImage(const PaletteImage* image)
{
    // A borrowed picture is let go too: it would hide the new source, and a
    // converted picture must never be confused with the caller's.
    FreeOwnedPicture();
    picture = nullptr;
    source = image;
    sourceRefused = false;
    PaintIfCreated();
}

void MyImage::SetBorder(bool flag)
{
    border = flag;
    PaintIfCreated();
}
