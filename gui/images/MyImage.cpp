#include "gui/images/MyImage.h"

#include "gui/DrawContext.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/images/PaletteImage.h"
#include "gui/images/Picture.h"
#include "support/Packing.h"

namespace {
constexpr int32_t kDefaultBackground = 0xAAAAAA;  // grey, when nobody has a colour
constexpr int32_t kBorderDark = 0x000000;
constexpr int32_t kBorderLight = 0xFFFFFF;
}

MyImage::MyImage(GUIElement* parentElement, XImage* image) : Child(parentElement), picture(image)
{
    type = "image";
    tabStop = false;
    repaintWithContainer = true;
}

MyImage::MyImage(GUIElement* parentElement, const PaletteImage* image, int32_t newWidth, int32_t newHeight)
    : Child(parentElement), source(image)
{
    type = "image";
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

int32_t MyImage::BackgroundColour() const
{
    if (parent != nullptr && parent->GetBackColor() != -1)
        return static_cast<int32_t>(parent->GetBackColor());
    const Form* form = GetForm();
    if (form != nullptr && form->GetBackColor() != -1)
        return static_cast<int32_t>(form->GetBackColor());
    return kDefaultBackground;
}

void MyImage::Create()
{
    if (created)
        return;
    if (id == 0) {
        id = ++NextElementId;
        userData = id;
    }
    created = true;
    visible = true;
}

void MyImage::Show()
{
    if (!created)
        Create();
    visible = true;
    Paint();
}

void MyImage::ShowMapped()
{
    Show();
}

void MyImage::Hide()
{
    if (!created)
        return;
    Form* form = GetForm();
    if (form != nullptr) {
        const uint64_t at = ToFormPoint(x, y);
        DrawContext(form).FillRectangle(PointX(at), PointY(at), width + 1, height + 1, 0, 0, BackgroundColour());
    }
    visible = false;
    created = false;
}

void MyImage::SetSize(int32_t newWidth, int32_t newHeight)
{
    const bool shown = created;
    if (shown)
        Hide();
    width = newWidth;
    height = newHeight;
    if (shown)
        Show();
}

void MyImage::SetPosition(int32_t newX, int32_t newY)
{
    const bool shown = created;
    if (shown)
        Hide();
    x = newX;
    y = newY;
    if (shown)
        Show();
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

    if (source != nullptr && picture == nullptr) {
        RgbBuffer rgb = DecodePaletteImage(width, height, source);
        if (rgb) {
            picture = CreateImageFromRgb(this, rgb.get(), width, height,
                                         static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
            ownsPicture = picture != nullptr;
        }
    }
    DrawContext drawing(form);
    if (picture != nullptr)
        drawing.PutImage(px, py, width, height, picture);
    else
        drawing.FillRectangle(px, py, width, height, 0, 0, BackgroundColour());
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
    if (created)
        Paint();
}

void MyImage::SetPaletteImage(const PaletteImage* image)
{
    // A borrowed picture is let go too: it would hide the new source, and a
    // converted picture must never be confused with the caller's.
    FreeOwnedPicture();
    picture = nullptr;
    source = image;
    if (created)
        Paint();
}

void MyImage::SetBorder(bool flag)
{
    border = flag;
    if (created)
        Paint();
}
