// OptionBox: a group of mutually exclusive options in one control, one item
// per 26-pixel row, each with a caption and a value. A click, the Up and Down
// keys (wrapping round) and the space bar change the selection and run the
// command; Select and SelectFirst change it without the command.
#pragma once

#include "gui/Child.h"
#include "gui/controls/BoxPictures.h"
#include "gui/controls/CommandElement.h"

#include <X11/Xlib.h>
#include <string>
#include <vector>

class OptionBox : public Child, public CommandElement {
public:
    explicit OptionBox(GUIElement* parentElement);

    void Create() override { CreateVisible(); }
    // Store and paint at once; the old place is not erased.
    void SetSize(int32_t newWidth, int32_t newHeight) override { SetSizePainting(newWidth, newHeight); }
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionPainting(newX, newY); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { OptionBox::Show(); }
    // Covers the extent plus one pixel with the colour of what holds the box.
    void Hide() override { HideFilling(DrawingForm(), 2, ContainerBackColor()); }
    // Selects the row under the point (form window coordinates, as the event
    // loop hands them over); below the last row, the last item.
    void Click(uint64_t point) override;
    void MouseDown(uint64_t /*point*/) override {}
    void KeyDown(KeySym keysym) override;
    bool KeyPress(char character) override;
    void GotFocus() override;
    void LostFocus() override;
    void Paint() override;

    // -1 when nothing is selected.
    virtual int32_t GetSelected() const { return selectedIndex; }
    // An index below 0 counts as 0; false when there is no such item.
    virtual bool Select(int32_t index);
    // False, touching nothing, for an index that names no item.
    virtual bool RemoveItem(int32_t index);
    virtual void AddItem(const std::string& caption, const std::string& value);
    virtual int32_t ItemCount() const { return static_cast<int32_t>(captions.size()); }
    virtual std::string CaptionCopy(int32_t index) const { return CaptionAt(index); }
    virtual std::string ValueCopy(int32_t index) const { return ValueAt(index); }
    // Beyond the last item, the last; empty on an empty list or a negative index.
    virtual std::string CaptionAt(int32_t index) const;
    virtual std::string ValueAt(int32_t index) const;
    // Empties the lists; nothing is selected afterwards.
    virtual void Clear();
    virtual void SelectFirst();
    virtual void SetTextColor(int32_t colour);

private:
    void ChangeByUser(int32_t index);

    int32_t textColor = 0x000000;
    std::vector<std::string> captions;
    std::vector<std::string> values;
    int32_t selectedIndex = -1;
    BoxPictureSet pictures{kOptionBoxPictures};
};
