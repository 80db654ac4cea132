// Child: the base of every windowless control. A control lives in the window
// of the form above it (directly or through panels) and is found by the event
// loop through hit-testing; its destruction takes it out of the registries.
// The controls that draw themselves share the create, show, hide and reshow
// steps kept here, each passing what its own hiding fills.
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

    // Enables or disables the control and paints it when created.
    void SetEnabledAndPaint(bool flag);

protected:
    // GetForm when it has a window to draw on, else null: painting a control
    // whose form has no window would draw on window 0.
    Form* DrawingForm() const;
    // DrawingForm for a Paint, or null while the control is not created or a
    // form is being built (painting is suspended then).
    Form* PaintingForm() const;
    // The colour a control leaves behind when it hides: its parent's, else its
    // form's, else grey 0xAAAAAA.
    int32_t ContainerBackColor() const;
    // The form's colour, else grey 0xAAAAAA.
    int32_t FormBackColor() const;
    // The control's own colour, else the fallback.
    int32_t BackColorOr(int32_t fallback) const;
    // The control's own colour, else ContainerBackColor.
    int32_t OwnBackColor() const { return BackColorOr(ContainerBackColor()); }
    // For input: the new face must be on the screen before a command runs.
    void PaintAndFlush();

    // The shared life of the controls that draw themselves, for their
    // overrides of Create, Show, Hide, SetSize and SetPosition.
    //
    // Create: an identifier when it has none, then created and visible.
    // Nothing once created. Most controls copy a new identifier into
    // userData (AssignId); a control whose userData is its owner's alone
    // keeps it.
    enum class IdToUserData { Copy, Keep };
    void CreateVisible(IdToUserData idToUserData = IdToUserData::Copy);
    // Show: Create when not created, visible, Paint.
    void ShowAndPaint();
    // What a hidden control is left as: most are made anew by their next Show.
    enum class AfterHide { Uncreated, StaysCreated };
    // Hide, when created: fill the control's rectangle on target's window
    // (skipped when target is null) with colour, then not visible and, unless
    // it stays created, not created, so the next Show creates it again.
    // FillRectangle paints one pixel less each way than it is given: extra 0
    // leaves the right and bottom edges, 1 covers the extent, 2 the extent
    // plus one pixel right and below.
    void HideFilling(Form* target, int32_t extra, int32_t colour, AfterHide after = AfterHide::Uncreated);
    // SetSize and SetPosition: when shown Hide, store, Show (the control's
    // own overrides); otherwise only store.
    void SetSizeReshowing(int32_t newWidth, int32_t newHeight);
    void SetPositionReshowing(int32_t newX, int32_t newY);
    // SetSize and SetPosition of the controls that store and paint at once,
    // leaving the old place as it is.
    void SetSizePainting(int32_t newWidth, int32_t newHeight);
    void SetPositionPainting(int32_t newX, int32_t newY);
    // For setters whose change shows at once.
    void PaintIfCreated();

private:
    void StoreReshowing(int32_t& first, int32_t newFirst, int32_t& second, int32_t newSecond);
};
