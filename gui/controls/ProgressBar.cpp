#include "gui/controls/ProgressBar.h"

#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

namespace {
constexpr int32_t kFillBlue = 0x0000FF;
constexpr int32_t kDefaultWidth = 190;  // pixels
constexpr int32_t kDefaultHeight = 25;  // pixels
}  // namespace

ProgressBar::ProgressBar(GUIElement* parentElement, int32_t minimumValue, int32_t maximumValue)
    : Child(parentElement), minimum(minimumValue), maximum(maximumValue), progress(minimumValue)
{
    type = kTypeProgressBar;
    width = kDefaultWidth;
    height = kDefaultHeight;
    tabStop = false;
    repaintWithContainer = true;
}

void ProgressBar::SetProgress(int32_t value)
{
    if (value == progress)
        return;
    progress = value < minimum ? minimum : value > maximum ? maximum : value;
    PaintIfCreated();
}

void ProgressBar::SetBorder(bool flag)
{
    hasBorder = flag;
    PaintIfCreated();
}

void ProgressBar::Paint()
{
    // A hidden bar stays created: the form's repaint must not bring it back.
    Form* form = visible ? PaintingForm() : nullptr;
    if (form == nullptr)
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t background = BackColorOr(kNoColourGrey);

    DrawContext dc(form);
    dc.FillRectangle(px, py, w, h, 0, 0, background);
    if (hasBorder)
        DrawBevel(dc, px, py, w, h, kBevelBlack, kBevelWhite);
    // Where progress lies in the range, kept to the box; an empty range fills nothing.
    double fraction = 0.0;
    if (maximum > minimum)
        fraction = (static_cast<double>(progress) - minimum) / (static_cast<double>(maximum) - minimum);
    fraction = fraction < 0.0 ? 0.0 : fraction > 1.0 ? 1.0 : fraction;
    if (fraction > 0.0)
        dc.FillRectangle(px + 1, py + 1, static_cast<int32_t>((w - 2) * fraction), h - 2, 0, 0, kFillBlue);
}
