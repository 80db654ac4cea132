#include "gui/controls/OptionBox.h"

#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

#include <X11/keysym.h>

namespace {
constexpr int32_t kRowHeight = 26;      // pixels per item
constexpr int32_t kPictureLeft = 1;     // pixels from the left edge to an item's picture
constexpr int32_t kPictureTop = 6;      // pixels from a row's top to its picture
constexpr int32_t kCaptionLeft = 28;    // pixels from the left edge to the captions
constexpr int32_t kFocusLeft = 25;      // pixels from the left edge to the focus frame
constexpr int32_t kFocusRightInset = 6; // pixels from the right edge to the focus frame
constexpr int32_t kKeyColour = 0x000000;  // the pictures' corners show the background
constexpr char kSpace = 32;
}  // namespace

OptionBox::OptionBox(GUIElement* parentElement) : Child(parentElement)
{
    type = kTypeOptionBox;
    width = 80;
    height = 30;
    tabStop = true;
    repaintWithContainer = true;
    focused = false;
}

void OptionBox::SetTextColor(int32_t colour)
{
    textColor = colour;
    Paint();
}

bool OptionBox::Select(int32_t index)
{
    if (index < 0)
        index = 0;
    if (index >= ItemCount())
        return false;
    selectedIndex = index;
    Paint();
    return true;
}

bool OptionBox::RemoveItem(int32_t index)
{
    if (index < 0 || index >= ItemCount())
        return false;
    const int32_t oldLast = ItemCount() - 1;
    captions.erase(captions.begin() + index);
    values.erase(values.begin() + index);
    if (selectedIndex >= oldLast)
        --selectedIndex;
    Paint();
    return true;
}

void OptionBox::AddItem(const std::string& caption, const std::string& value)
{
    captions.push_back(caption);
    values.push_back(value);
    Paint();
}

std::string OptionBox::CaptionAt(int32_t index) const
{
    if (captions.empty() || index < 0)
        return std::string();
    return captions[static_cast<size_t>(index < ItemCount() ? index : ItemCount() - 1)];
}

std::string OptionBox::ValueAt(int32_t index) const
{
    if (values.empty() || index < 0)
        return std::string();
    const int32_t last = static_cast<int32_t>(values.size()) - 1;
    return values[static_cast<size_t>(index < last ? index : last)];
}

void OptionBox::Clear()
{
    captions.clear();
    values.clear();
    selectedIndex = -1;
    Paint();
}

void OptionBox::SelectFirst()
{
    if (captions.empty())
        return;
    selectedIndex = 0;
    Paint();
}

void OptionBox::ChangeByUser(int32_t index)
{
    selectedIndex = index;
    PaintAndFlush();
    RunCommandHandler(this);
}

void OptionBox::Click(uint64_t point)
{
    if (enabled) {
        // The point is in the form window's coordinates, the box's place in its parent's.
        const int32_t top = PointY(ToFormPoint(x, y));
        const int64_t row = (int64_t{PointY(point)} - top) / kRowHeight;
        const int32_t last = static_cast<int32_t>(values.size()) - 1;
        // On an empty box the last index is -1: nothing selected.
        ChangeByUser(row < 0 ? (last < 0 ? last : 0) : row > last ? last : static_cast<int32_t>(row));
    }
    Child::Click(point);
}

void OptionBox::KeyDown(KeySym keysym)
{
    if (!enabled || !focused || captions.empty() || (keysym != XK_Up && keysym != XK_Down))
        return;
    const int32_t last = ItemCount() - 1;
    if (keysym == XK_Down)
        ChangeByUser(selectedIndex >= last ? 0 : selectedIndex + 1);
    else
        ChangeByUser(selectedIndex <= 0 ? last : selectedIndex - 1);
}

bool OptionBox::KeyPress(char character)
{
    if (enabled && focused && character == kSpace)
        KeyDown(XK_Down);
    return Child::KeyPress(character);
}

void OptionBox::GotFocus()
{
    Child::GotFocus();
    Paint();
}

void OptionBox::LostFocus()
{
    Child::LostFocus();
    Paint();
}

void OptionBox::Paint()
{
    Form* form = PaintingForm();
    if (form == nullptr)
        return;
    const int32_t rows = ItemCount();
    if (height < int64_t{rows} * kRowHeight)
        height = ClampGeometry(int64_t{rows} * kRowHeight);
    pictures.Make(this);
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t background = OwnBackColor();
    const int32_t captionColour = enabled ? textColor : kDisabledGrey;

    DrawContext dc(form);
    dc.FillRectangle(px, py, w + 1, h + 1, 0, 0, background);
    for (int32_t i = 0; i < rows; ++i) {
        const int32_t top = py + kRowHeight * i;
        dc.PutImageTransparent(px + kPictureLeft, top + kPictureTop, kBoxPictureSide, kBoxPictureSide,
                               pictures.Get(i == selectedIndex, enabled), kKeyColour);
        dc.DrawText(px + kCaptionLeft, top + 1, w - 30, kRowHeight, captions[static_cast<size_t>(i)],
                    captionColour, background, 0);
    }
    if (focused && enabled && rows > 0) {
        const int32_t top = py + kRowHeight * (selectedIndex < 0 ? 0 : selectedIndex);
        const int32_t left = px + kFocusLeft, right = px + w - kFocusRightInset;
        DrawFocusFrame(dc, left, top + 2, right, top + 25, textColor);
    }
}
