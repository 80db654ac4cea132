// PanelChildren: the container control. A rectangle with a background, an
// optional frame (bevel or plain black) and an optional title, holding other
// controls placed in its coordinates. Showing, hiding, moving and resizing it
// does the same to its children, and painting it repaints them: each panel
// paints its own children, so a nested panel's children are painted once, by
// their own panel.
#pragma once

#include "gui/Child.h"

#include <vector>

class PanelChildren : public Child {
public:
    explicit PanelChildren(GUIElement* parentElement);

    void Create() override { CreateVisible(IdToUserData::Keep); }
    void Paint() override;
    // Creates and paints the panel, then shows its children.
    void Show() override;
    void ShowMapped() override { PanelChildren::Show(); }
    // Hides the children, then covers the extent plus one pixel right and
    // below with the colour of what holds the panel; the next Show creates it again.
    void Hide() override;
    void SetSize(int32_t newWidth, int32_t newHeight) override { SetSizeReshowing(newWidth, newHeight); }
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionReshowing(newX, newY); }

    // The setters store only; the next paint shows the change.
    // A bevel frame (a plain one no more).
    void SetFrame(bool flag);
    // A plain black frame instead of the bevel; turns the frame on.
    void SetRectFrame(bool flag);
    // Sunken: black top and left, white right and bottom; raised the other
    // way round. Turns the frame on.
    void SetSunken(bool flag);
    // -1 draws the title black.
    void SetTitleColor(int64_t colour) { titleColor = colour; }
    // Not -1: every element inside that the panel shows or paints takes this
    // background first, those of nested panels too unless such a panel has a
    // child colour of its own.
    void SetChildBackColor(int64_t colour) { childBackColor = colour; }

    bool HasFrame() const { return hasFrame; }
    bool IsRectFrame() const { return rectFrame; }
    bool IsSunken() const { return sunken; }

private:
    // The panel without its children.
    void PaintOwn();
    // The child colour of this panel, else of the nearest enclosing panel
    // that has one; -1 when none has.
    int64_t EffectiveChildBackColor() const;
    // That colour to the panel's own children, stored without a paint: each
    // is then painted once, in its new colour, and a nested panel passes it
    // on to its own when it shows or paints them.
    void ApplyChildBackColor();
    // The elements whose parent is this panel (not those of nested panels).
    std::vector<GUIElement*> OwnChildren() const;

    bool hasFrame = false;
    bool rectFrame = false;
    bool sunken = true;
    int64_t titleColor = -1;
    int64_t childBackColor = -1;
};
