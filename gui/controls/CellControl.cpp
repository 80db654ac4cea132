#include "gui/controls/CellControl.h"

#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

namespace {
constexpr int32_t kMarkLift = 4;   // pixels the mark's square sits above the bottom
constexpr int32_t kImageInset = 3; // pixels between a left or right picture and the edge
}  // namespace

CellControl::CellControl(GUIElement* parentForm) : Child(parentForm)
{
    type = kTypeCell;
    tabStop = false;
    repaintWithContainer = true;
}

void CellControl::SetText(const std::string& newText)
{
    if (newText == text)
        return;
    text = newText;
    PaintIfCreated();
}

void CellControl::SetAlignment(int value)
{
    if (value == alignment)
        return;
    alignment = value;
    PaintIfCreated();
}

void CellControl::SetTextColor(int32_t colour)
{
    textColor = colour;
    PaintIfCreated();
}

void CellControl::SetBorder(bool flag)
{
    hasBorder = flag;
    PaintIfCreated();
}

void CellControl::SetSelected(bool flag)
{
    selected = flag;
    PaintIfCreated();
}

void CellControl::SetSelTextColor(int32_t colour)
{
    selTextColor = colour;
    PaintIfCreated();
}

void CellControl::SetSelBackColor(int32_t colour)
{
    selBackColor = colour;
    PaintIfCreated();
}

void CellControl::SetMark(bool flag)
{
    if (flag == mark)
        return;
    mark = flag;
    PaintIfCreated();
}

void CellControl::SetCellImage(XImage* image, int32_t imageWidthPx, int32_t imageHeightPx, int imageAlignment)
{
    cellImage = image;
    imageWidth = imageWidthPx;
    imageHeight = imageHeightPx;
    imageAlign = imageAlignment;
    PaintIfCreated();
}

void CellControl::Paint()
{
    Form* form = PaintingForm();
    if (form == nullptr)
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t ownBack = BackColorOr(kNoColourGrey);
    const int32_t background = selected ? selBackColor : ownBack;
    const int32_t foreground = selected ? selTextColor : textColor;

    DrawContext dc(form);
    int32_t ix = px, iy = py, iw = w, ih = h;
    if (hasBorder) {
        ix = px + 1;
        iy = py + 1;
        iw = w - 2;
        ih = h - 2;
        // On white the light edges would vanish: the frame is black all round.
        const int32_t light = background == kBevelWhite ? kBevelBlack : kBevelWhite;
        DrawBevel(dc, px, py, w, h, kBevelBlack, light);
    }
    dc.DrawText(ix, iy, iw, ih, text, foreground, background, alignment);
    if (mark) {
        const int32_t side = dc.LineHeight();
        dc.DrawText(ix + iw - side, iy + ih - side - kMarkLift, side, side, "*", foreground, background, 2);
    }
    if (cellImage != nullptr) {
        const int32_t top = iy + (ih - imageHeight) / 2;
        int32_t left = ix + kImageInset;
        if (imageAlign == 1)
            left = ix + iw - imageWidth - kImageInset;
        else if (imageAlign == 2)
            left = ix + (iw - imageWidth) / 2;
        dc.PutImage(left, top, imageWidth, imageHeight, cellImage);
    }
}
