#include "gui/controls/ButtonCustom.h"

#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

#include <X11/keysym.h>

namespace {
constexpr char kCarriageReturn = 13;
}  // namespace

ButtonCustom::ButtonCustom(GUIElement* parentForm, const std::string& caption) : Child(parentForm)
{
    text = caption;
    type = kTypeButton;
    width = 80;
    height = 30;
    tabStop = true;
    repaintWithContainer = true;
}

void ButtonCustom::SetText(const std::string& caption)
{
    text = caption;
    PaintIfCreated();
}

void ButtonCustom::SetHideContent(bool flag)
{
    hideContent = flag;
    PaintIfCreated();
}

void ButtonCustom::SetIcon(XImage* picture)
{
    icon = picture;
    PaintIfCreated();
}

void ButtonCustom::SetDisabledIcon(XImage* picture)
{
    disabledIcon = picture;
    PaintIfCreated();
}

void ButtonCustom::MouseDown(uint64_t point)
{
    if (!enabled)
        return;
    press = Press::ByMouse;
    PaintAndFlush();
    Child::MouseDown(point);
}

void ButtonCustom::Click(uint64_t point)
{
    if (!enabled)
        return;
    press = Press::Up;
    PaintAndFlush();
    RunCommandHandler(this);
    Child::Click(point);
}

void ButtonCustom::KeyDown(KeySym keysym)
{
    if (!enabled)
        return;
    Child::KeyDown(keysym);
    if (focused && keysym == XK_Return && press != Press::ByMouse) {
        press = Press::ByKey;
        PaintAndFlush();
    }
}

bool ButtonCustom::KeyPress(char character)
{
    if (!enabled)
        return false;
    if (focused && character == kCarriageReturn && press != Press::ByMouse) {
        press = Press::Up;
        PaintAndFlush();
        RunCommandHandler(this);
    }
    return Child::KeyPress(character);
}

void ButtonCustom::GotFocus()
{
    Child::GotFocus();
    Paint();
}

void ButtonCustom::LostFocus()
{
    Child::LostFocus();
    press = Press::Up;
    Paint();
}

void ButtonCustom::Paint()
{
    Form* form = PaintingForm();
    if (form == nullptr)
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t face = backColor != -1 ? static_cast<int32_t>(backColor) : ContainerBackColor();

    DrawContext dc(form);
    dc.FillRectangle(px, py, w, h, 0, 0, face);
    if (IsPressed())
        DrawBevel(dc, px, py, w, h, kBevelBlack, kBevelWhite);
    else
        DrawBevel(dc, px, py, w, h, kBevelWhite, kBevelBlack);

    if (focused && enabled && !IsPressed()) {
        dc.DrawLine(px + 4, py + 3, px + w - 5, py + 3, 1, textColor);
        dc.DrawLine(px + 4, py + h - 4, px + 4, py + 2, 1, textColor);
        dc.DrawLine(px + w - 5, py + 3, px + w - 5, py + h - 3, 1, textColor);
        dc.DrawLine(px + 4, py + h - 4, px + w - 5, py + h - 4, 1, textColor);
    }
    if (hideContent)
        return;

    XImage* picture = (!enabled && disabledIcon != nullptr) ? disabledIcon : icon;
    if (!text.empty()) {
        const int32_t captionColour = enabled ? textColor : kDisabledGrey;
        if (icon == nullptr) {
            dc.DrawText(px + 6, py + 4, w - 12, h - 8, text, captionColour, face, 2);
        } else {
            const int32_t iconSpace = icon->width + 10;
            dc.DrawText(px + iconSpace, py + 4, w - 12 - iconSpace, h - 8, text, captionColour, face, 0);
        }
    }
    if (picture != nullptr) {
        const int32_t top = py + (h - picture->height) / 2;
        const int32_t left = text.empty() ? px + (w - picture->width) / 2 : px + 8;
        dc.PutImage(left, top, 0, 0, picture);
    }
}
