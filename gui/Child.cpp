#include "gui/Child.h"

#include "gui/Form.h"
#include "gui/Registry.h"
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
        if (up->GetType() == "form")
            return static_cast<Form*>(up);
    return nullptr;
}

uint64_t Child::ToFormPoint(int32_t px, int32_t py) const
{
    for (GUIElement* up = parent; up != nullptr && up->GetType() != "form"; up = up->GetParent()) {
        const uint64_t at = up->GetPosition();
        px += PointX(at);
        py += PointY(at);
    }
    return PackPoint(px, py);
}

Form* Child::DrawingForm() const
{
    Form* form = GetForm();
    return form != nullptr && form->GetWindow() != 0 ? form : nullptr;
}

int32_t Child::ContainerBackColor() const
{
    if (parent != nullptr && parent->GetBackColor() != -1)
        return static_cast<int32_t>(parent->GetBackColor());
    const Form* form = GetForm();
    if (form != nullptr && form->GetBackColor() != -1)
        return static_cast<int32_t>(form->GetBackColor());
    return 0xAAAAAA;
}
