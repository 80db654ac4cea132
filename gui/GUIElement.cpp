#include "gui/GUIElement.h"

#include "app/EventLoop.h"
#include "gui/Registry.h"
#include "support/Packing.h"

#include <algorithm>

namespace {
// A click within this many milliseconds of the previous one is a double click.
constexpr int64_t kDoubleClickMs = 999;
}

GUIElement::GUIElement(uint64_t ownerValue) : owner(ownerValue), lastClick(time(nullptr))
{
    AllElements.push_back(this);
}

GUIElement::~GUIElement()
{
    // Child and Form destructors unregister with the registry's messages; this
    // only covers elements that bypassed them, so nothing is left dangling.
    auto self = std::find(AllElements.begin(), AllElements.end(), this);
    if (self != AllElements.end())
        AllElements.erase(self);
    for (GUIElement* element : AllElements)
        if (element->parent == this)
            element->parent = nullptr;
    if (FocusedElement == this)
        FocusedElement = nullptr;
}

uint64_t GUIElement::GetPosition()
{
    return PackPoint(x, y);
}

uint64_t GUIElement::GetSize() const
{
    return PackPoint(width, height);
}

void GUIElement::SetSize(int32_t newWidth, int32_t newHeight)
{
    newWidth = ClampGeometry(newWidth);
    newHeight = ClampGeometry(newHeight);
    if (newWidth == width && newHeight == height)
        return;
    width = newWidth;
    height = newHeight;
    if (created)
        OnResized();
}

void GUIElement::SetPosition(int32_t newX, int32_t newY)
{
    x = ClampGeometry(newX);
    y = ClampGeometry(newY);
    if (created)
        OnMoved();
}

void GUIElement::MoveTo(int32_t newX, int32_t newY)
{
    SetPosition(std::max(newX, 0), std::max(newY, 0));
}

void GUIElement::MoveToPoint(uint64_t point)
{
    SetPosition(PointX(point), PointY(point));
}

void GUIElement::SetBackColor(int64_t colour)
{
    backColor = colour;
    if (created)
        Paint();
}

void GUIElement::Show()
{
    if (!created)
        Create();
    visible = true;
}

void GUIElement::Hide()
{
    if (created)
        visible = false;
}

void GUIElement::Attach(GUIElement* element)
{
    if (created && element != nullptr)
        OnAttach(element);
}

void GUIElement::BringToFront()
{
    if (created)
        OnBringToFront();
}

void GUIElement::SendToBack()
{
    if (created)
        OnSendToBack();
}

void GUIElement::SetFont(const FontDescription& description)
{
    font = description;
    if (created)
        OnFontChanged();
}

bool GUIElement::HitTest(uint64_t point)
{
    const int64_t px = PointX(point);
    const int64_t py = PointY(point);
    return created && visible && x <= px && px <= int64_t{x} + width && y <= py &&
           py <= int64_t{y} + height;
}

void GUIElement::Click(uint64_t point)
{
    if (ClickHandler != nullptr)
        ClickHandler(this, userData, point);
    const time_t now = time(nullptr);
    const int64_t sinceLastMs = static_cast<int64_t>(now - lastClick) * 1000;
    if (sinceLastMs <= kDoubleClickMs)
        DoubleClick(point);
    lastClick = now;
}

void GUIElement::MouseDown(uint64_t point)
{
    if (MouseDownHandler != nullptr)
        MouseDownHandler(this, userData, point);
}

void GUIElement::DoubleClick(uint64_t point)
{
    if (DoubleClickHandler != nullptr)
        DoubleClickHandler(this, userData, point);
}

void GUIElement::OtherButtonUp(uint64_t point)
{
    if (OtherButtonUpHandler != nullptr)
        OtherButtonUpHandler(this, userData, point);
}

void GUIElement::OtherButtonDown(uint64_t point)
{
    if (OtherButtonDownHandler != nullptr)
        OtherButtonDownHandler(this, userData, point);
}

void GUIElement::SpareMouseEvent(uint64_t point)
{
    if (SpareMouseHandler != nullptr)
        SpareMouseHandler(this, userData, point);
}

void GUIElement::KeyUp(KeySym keysym)
{
    if (KeyUpHandler != nullptr)
        KeyUpHandler(this, keysym);
}

void GUIElement::KeyDown(KeySym keysym)
{
    if (KeyDownHandler != nullptr)
        KeyDownHandler(this, keysym);
}

bool GUIElement::KeyPress(char character)
{
    return KeyPressHandler == nullptr || KeyPressHandler(this, character);
}

void GUIElement::MouseMove(int px, int py)
{
    if (MouseMoveHandler != nullptr)
        MouseMoveHandler(this, px, py);
}

int64_t GUIElement::SpareEvent1()
{
    return SpareHandler1 != nullptr ? SpareHandler1(this) : 0;
}

int64_t GUIElement::SpareEvent2()
{
    return SpareHandler2 != nullptr ? SpareHandler2(this) : 0;
}

void GUIElement::Moved()
{
    GetPosition();
    if (MoveHandler != nullptr)
        MoveHandler(this);
}

void GUIElement::Resized()
{
    SetBackColor(backColor);
    if (ResizeHandler != nullptr)
        ResizeHandler(this);
}

bool GUIElement::QueryClose()
{
    return QueryCloseHandler == nullptr || QueryCloseHandler(this);
}

void GUIElement::Close()
{
    if (CloseHandler != nullptr)
        CloseHandler(this);
    closed = true;
}

void GUIElement::GotFocus()
{
    focused = true;
    focusValue = GetValue();
    if (GotFocusHandler != nullptr)
        GotFocusHandler(this);
}

void GUIElement::LostFocus()
{
    focused = false;
    if (LostFocusHandler != nullptr)
        LostFocusHandler(this);
    if (GetValue() != focusValue && ChangeHandler != nullptr)
        ChangeHandler(this);
}

void GUIElement::MouseEnter()
{
    if (MouseEnterHandler != nullptr)
        MouseEnterHandler(this);
}

void GUIElement::MouseLeave()
{
    if (MouseLeaveHandler != nullptr)
        MouseLeaveHandler(this);
}

void GUIElement::Load(uint64_t data)
{
    if (userData == 0)
        userData = data;
    if (!loaded && LoadHandler != nullptr)
        LoadHandler(this, userData);
    loaded = true;
}

void GUIElement::ApplyBackColor()
{
    if (created)
        OnBackColorChanged();
}

void GUIElement::SetPairFlagFirst(bool flag)
{
    pairFlagFirst = flag;
    if (flag)
        pairFlagSecond = false;
}

void GUIElement::SetPairFlagSecond(bool flag)
{
    pairFlagSecond = flag;
    if (flag)
        pairFlagFirst = false;
}

void GUIElement::AssignId()
{
    if (id == 0) {
        id = ++NextElementId;
        userData = id;
    }
    if (created)
        OnFontChanged();
}
