#include "gui/controls/PanelChildren.h"

#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/ToolkitColours.h"
#include "support/Packing.h"

namespace {
constexpr int32_t kTitleLeft = 4;     // pixels from the panel's left edge to the title
constexpr int32_t kTitleTop = 2;      // pixels from the panel's top edge to the title
constexpr int32_t kTitleHeight = 10;  // pixels
}  // namespace

PanelChildren::PanelChildren(GUIElement* parentElement) : Child(parentElement)
{
    type = kTypePanel;
    tabStop = false;
    repaintWithContainer = true;
}

void PanelChildren::SetFrame(bool flag)
{
    hasFrame = flag;
    rectFrame = false;
}

void PanelChildren::SetRectFrame(bool flag)
{
    rectFrame = flag;
    hasFrame = true;
}

void PanelChildren::SetSunken(bool flag)
{
    sunken = flag;
    hasFrame = true;
}

std::vector<GUIElement*> PanelChildren::OwnChildren() const
{
    std::vector<GUIElement*> children;
    if (id == 0)
        return children;
    for (GUIElement* element : ElementsOf(id))
        if (element->GetParent() == this)
            children.push_back(element);
    return children;
}

void PanelChildren::Show()
{
    if (!created)
        Create();
    ApplyChildBackColor();
    PaintOwn();
    for (GUIElement* child : OwnChildren())
        child->Show();
    visible = true;
}

void PanelChildren::Hide()
{
    for (GUIElement* child : OwnChildren())
        child->Hide();
    HideFilling(DrawingForm(), 2, ContainerBackColor());
}

void PanelChildren::Paint()
{
    if (PaintingForm() == nullptr)
        return;
    PaintOwn();
    ApplyChildBackColor();
    // Own children paint themselves, nested panels their own.
    for (GUIElement* child : OwnChildren())
        if (child->IsRepaintedWithContainer() && child->IsCreated())
            child->Paint();
}

int64_t PanelChildren::EffectiveChildBackColor() const
{
    if (childBackColor != -1)
        return childBackColor;
    const auto* enclosing = dynamic_cast<const PanelChildren*>(parent);
    return enclosing != nullptr ? enclosing->EffectiveChildBackColor() : -1;
}

void PanelChildren::ApplyChildBackColor()
{
    const int64_t colour = EffectiveChildBackColor();
    if (colour == -1)
        return;
    for (GUIElement* child : OwnChildren())
        if (child->IsRepaintedWithContainer())
            StoreBackColor(child, colour);
}

void PanelChildren::PaintOwn()
{
    Form* form = PaintingForm();
    if (form == nullptr)
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    const int32_t background = BackColorOr(kNoColourGrey);

    DrawContext dc(form);
    dc.FillRectangle(px, py, w, h, 0, 0, background);
    if (hasFrame) {
        if (rectFrame)
            dc.DrawRectangle(px, py, w, h, 1, kBevelBlack);
        else if (sunken)
            DrawBevel(dc, px, py, w, h, kBevelBlack, kBevelWhite);
        else
            DrawBevel(dc, px, py, w, h, kBevelWhite, kBevelBlack);
    }
    if (!text.empty()) {
        const int32_t titleColour = titleColor != -1 ? static_cast<int32_t>(titleColor) : kBevelBlack;
        dc.DrawText(px + kTitleLeft, py + kTitleTop, w - 2 * kTitleLeft, kTitleHeight, text, titleColour, background, 0);
    }
}
