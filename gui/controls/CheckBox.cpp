#include "gui/controls/CheckBox.h"

#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

namespace {
constexpr int32_t kMinimumHeight = 22;  // pixels: the picture and a pixel round it
constexpr int32_t kCaptionLeft = 26;    // pixels from the box's left edge to the caption
constexpr int32_t kFocusLeft = 23;      // pixels from the left edge to the focus frame
constexpr int32_t kFocusRightInset = 8; // pixels from the right edge to the focus frame
constexpr char kSpace = 32;
}  // namespace

CheckBox::CheckBox(GUIElement* parentElement, const std::string& caption) : Child(parentElement)
{
    type = kTypeCheckBox;
    text = caption;
    width = 80;
    height = 30;
    tabStop = true;
    repaintWithContainer = true;
    focused = false;
}

void CheckBox::SetText(const std::string& caption)
{
    text = caption;
    Paint();
}

void CheckBox::SetTextColor(int32_t colour)
{
    textColor = colour;
    Paint();
}

void CheckBox::SetChecked(bool flag)
{
    checked = flag;
    Paint();
}

void CheckBox::ToggleByUser()
{
    checked = !checked;
    PaintAndFlush();
    RunCommandHandler(this);
}

void CheckBox::Click(uint64_t point)
{
    if (enabled)
        ToggleByUser();
    Child::Click(point);
}

bool CheckBox::KeyPress(char character)
{
    if (enabled && focused && character == kSpace)
        ToggleByUser();
    return Child::KeyPress(character);
}

void CheckBox::GotFocus()
{
    Child::GotFocus();
    Paint();
}

void CheckBox::LostFocus()
{
    Child::LostFocus();
    Paint();
}

void CheckBox::Paint()
{
    Form* form = PaintingForm();
    if (form == nullptr)
        return;
    if (height < kMinimumHeight)
        height = kMinimumHeight;
    pictures.Make(this);
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t background = OwnBackColor();

    DrawContext dc(form);
    dc.FillRectangle(px, py, w + 1, h + 1, 0, 0, background);
    dc.PutImage(px + 1, py + 1, kBoxPictureSide, kBoxPictureSide, pictures.Get(checked, enabled));
    dc.DrawText(px + kCaptionLeft, py + 1, w - 30, h, text, enabled ? textColor : kDisabledGrey, background, 0);
    if (focused && enabled) {
        const int32_t left = px + kFocusLeft, right = px + w - kFocusRightInset;
        DrawFocusFrame(dc, left, py + 2, right, py + h - 1, textColor);
    }
}
