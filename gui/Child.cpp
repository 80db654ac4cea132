#include "gui/Child.h"

#include "app/Application.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

Child::Child(GUIElement* parentElement) : GUIElement(0)
{
    isChild = true;
    parent = parentElement;
}

Child::~Child()
{
    RemoveWinForm(this);
}

Form* Child::GetForm() const
{
    for (GUIElement* up = parent; up != nullptr; up = up->GetParent())
        if (up->GetType() == kTypeForm)
            return static_cast<Form*>(up);
    return nullptr;
}

uint64_t Child::ToFormPoint(int32_t px, int32_t py) const
{
    // Each position is within kMaxGeometry, their sum through any depth of
    // panels in 64 bits; the result is clamped like a position.
    int64_t sumX = px, sumY = py;
    for (GUIElement* up = parent; up != nullptr && up->GetType() != kTypeForm; up = up->GetParent()) {
        const uint64_t at = up->GetPosition();
        sumX += PointX(at);
        sumY += PointY(at);
    }
    return PackPoint(ClampGeometry(sumX), ClampGeometry(sumY));
}

Form* Child::DrawingForm() const
{
    Form* form = GetForm();
    return form != nullptr && form->GetWindow() != 0 ? form : nullptr;
}

Form* Child::PaintingForm() const
{
    return created && !FormLoading ? DrawingForm() : nullptr;
}

int32_t Child::ContainerBackColor() const
{
    if (parent != nullptr && parent->GetBackColor() != -1)
        return static_cast<int32_t>(parent->GetBackColor());
    return FormBackColor();
}

int32_t Child::FormBackColor() const
{
    const Form* form = GetForm();
    if (form != nullptr && form->GetBackColor() != -1)
        return static_cast<int32_t>(form->GetBackColor());
    return kNoColourGrey;
}

int32_t Child::BackColorOr(int32_t fallback) const
{
    return backColor != -1 ? static_cast<int32_t>(backColor) : fallback;
}

void Child::PaintAndFlush()
{
    Paint();
    if (Form* form = DrawingForm())
        XFlush(form->GetApplication()->GetDisplay());
}

void Child::CreateVisible(IdToUserData idToUserData)
{
    if (created)
        return;
    if (id == 0 && idToUserData == IdToUserData::Copy)
        AssignId();
    else if (id == 0)
        id = ++NextElementId;
    created = true;
    visible = true;
}

void Child::ShowAndPaint()
{
    if (!created)
        Create();
    visible = true;
    Paint();
}

void Child::HideFilling(Form* target, int32_t extra, int32_t colour, AfterHide after)
{
    if (!created)
        return;
    if (target != nullptr) {
        const uint64_t at = ToFormPoint(x, y);
        DrawContext(target).FillRectangle(PointX(at), PointY(at), width + extra, height + extra, 0, 0, colour);
    }
    visible = false;
    created = after == AfterHide::StaysCreated;
}

void Child::SetSizeReshowing(int32_t newWidth, int32_t newHeight)
{
    StoreReshowing(width, newWidth, height, newHeight);
}

void Child::SetPositionReshowing(int32_t newX, int32_t newY)
{
    StoreReshowing(x, newX, y, newY);
}

// Hidden first, so that the old rectangle is filled before the values change.
// A control that stays created when hidden is not shown again.
void Child::StoreReshowing(int32_t& first, int32_t newFirst, int32_t& second, int32_t newSecond)
{
    const bool shown = created && visible;
    if (shown)
        Hide();
    first = ClampGeometry(newFirst);
    second = ClampGeometry(newSecond);
    if (shown)
        Show();
}

void Child::SetSizePainting(int32_t newWidth, int32_t newHeight)
{
    width = ClampGeometry(newWidth);
    height = ClampGeometry(newHeight);
    PaintIfCreated();
}

void Child::SetPositionPainting(int32_t newX, int32_t newY)
{
    x = ClampGeometry(newX);
    y = ClampGeometry(newY);
    PaintIfCreated();
}

void Child::SetEnabledAndPaint(bool flag)
{
    enabled = flag;
    PaintIfCreated();
}

void Child::PaintIfCreated()
{
    if (created)
        Paint();
}
