// Child: the base of every windowless control. A control lives in the window
// of the form above it (directly or through panels) and is found by the event
// loop through hit-testing; its destruction takes it out of the registries.
#pragma once

#include "gui/GUIElement.h"

class Form;

class Child : public GUIElement {
public:
    explicit Child(GUIElement* parent = nullptr);
    ~Child() override;

    // The nearest ancestor of type "form"; null when there is none.
    Form* GetForm() const;
    // A point in the parent's coordinates turned into the form window's.
    uint64_t ToFormPoint(int32_t px, int32_t py) const;

protected:
    // GetForm when it has a window to draw on, else null: painting a control
    // whose form has no window would draw on window 0.
    Form* DrawingForm() const;
    // The colour a control leaves behind when it hides: its parent's, else its
    // form's, else grey 0xAAAAAA.
    int32_t ContainerBackColor() const;
};
