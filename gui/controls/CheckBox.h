// CheckBox: a ticked or unticked box with a caption. The mouse and the space
// bar toggle it and run its command; SetChecked changes it without the command.
#pragma once

#include "gui/Child.h"
#include "gui/controls/BoxPictures.h"
#include "gui/controls/CommandElement.h"

#include <X11/Xlib.h>
#include <string>

class CheckBox : public Child, public CommandElement {
public:
    CheckBox(GUIElement* parentElement, const std::string& caption);

    void Create() override { CreateVisible(); }
    // Store and paint at once; the old place is not erased.
    void SetSize(int32_t newWidth, int32_t newHeight) override { SetSizePainting(newWidth, newHeight); }
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionPainting(newX, newY); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { CheckBox::Show(); }
    // Covers the extent plus one pixel with the colour of what holds the box.
    void Hide() override { HideFilling(DrawingForm(), 2, ContainerBackColor()); }
    void SetText(const std::string& caption) override;
    void Click(uint64_t point) override;
    // Pressing does nothing; the release (Click) toggles.
    void MouseDown(uint64_t /*point*/) override {}
    void KeyDown(KeySym /*keysym*/) override {}
    bool KeyPress(char character) override;
    void GotFocus() override;
    void LostFocus() override;
    void Paint() override;

    // Captions and the focus frame.
    virtual void SetTextColor(int32_t colour);

    void SetChecked(bool flag);
    bool IsChecked() const { return checked; }

private:
    void ToggleByUser();

    int32_t textColor = 0x000000;
    bool checked = false;
    BoxPictureSet pictures{kCheckBoxPictures};
};
