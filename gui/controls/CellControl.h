// CellControl: the label. A rectangle showing a text in colours of its own,
// optionally with a bevel border, a selected look, an asterisk mark and a
// picture; it takes no focus and has no input behaviour beyond the handlers.
#pragma once

#include "gui/Child.h"

#include <X11/Xlib.h>
#include <string>

class CellControl : public Child {
public:
    explicit CellControl(GUIElement* parentForm);

    // Takes an identifier without copying it into userData, which stays what
    // the cell's owner set.
    void Create() override { CreateVisible(IdToUserData::Keep); }
    void SetText(const std::string& newText) override;
    void Paint() override;
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { CellControl::Show(); }
    // Covers the extent plus one pixel with the form's colour, whatever holds the cell.
    void Hide() override { HideFilling(DrawingForm(), 2, FormBackColor()); }

    // 0 left, 1 right, 2 centred.
    void SetAlignment(int value);
    void SetTextColor(int32_t colour);
    void SetBorder(bool flag);
    void SetSelected(bool flag);
    void SetSelTextColor(int32_t colour);
    void SetSelBackColor(int32_t colour);
    void SetMark(bool flag);
    // Not owned; imageAlign 1 right, 2 centred, any other value left.
    void SetCellImage(XImage* image, int32_t imageWidth, int32_t imageHeight, int imageAlignment);

    int GetAlignment() const { return alignment; }
    bool IsSelected() const { return selected; }

private:
    int alignment = 2;
    int32_t textColor = 0x000000;
    bool hasBorder = false;
    bool selected = false;
    int32_t selTextColor = 0x000000;
    int32_t selBackColor = 0xFFFF00;
    bool mark = false;
    XImage* cellImage = nullptr;
    int32_t imageWidth = 0;   // pixels
    int32_t imageHeight = 0;  // pixels
    int imageAlign = 1;
};
