// ButtonCustom: the push button, a raised 3D box with a centred caption and an
// optional icon. It shows itself sunken while the mouse button or Return is
// held and runs its command on the release, never on the press. A press the
// mouse holds is ended by the mouse alone: Return meanwhile does nothing.
#pragma once

#include "gui/Child.h"
#include "gui/controls/CommandElement.h"

#include <X11/Xlib.h>
#include <string>

class ButtonCustom : public Child, public CommandElement {
public:
    ButtonCustom(GUIElement* parentForm, const std::string& caption);

    void SetSize(int32_t newWidth, int32_t newHeight) override { SetSizeReshowing(newWidth, newHeight); }
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionReshowing(newX, newY); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { ButtonCustom::Show(); }
    // Covers the whole extent, bevel included, with the colour of what holds
    // the button.
    void Hide() override { HideFilling(DrawingForm(), 1, ContainerBackColor()); }
    void SetText(const std::string& caption) override;
    void Click(uint64_t point) override;
    void MouseDown(uint64_t point) override;
    void KeyDown(KeySym keysym) override;
    bool KeyPress(char character) override;
    void GotFocus() override;
    void LostFocus() override;
    void Paint() override;
    void Create() override { CreateVisible(); }

    // Also the colour of the focus mark; shown at the next paint.
    virtual void SetTextColor(int32_t colour) { textColor = colour; }

    void SetHideContent(bool flag);
    // Pictures are not owned by the button.
    void SetIcon(XImage* picture);
    void SetDisabledIcon(XImage* picture);

    bool IsPressed() const { return press != Press::Up; }

private:
    // What holds the button down.
    enum class Press { Up, ByMouse, ByKey };

    int32_t textColor = 0x000000;
    Press press = Press::Up;
    bool hideContent = false;
    XImage* icon = nullptr;
    XImage* disabledIcon = nullptr;
};
