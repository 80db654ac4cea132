// GUIElement: the root of every visual element, top-level forms and windowless
// controls alike. Every operation the event loop and the containers call is a
// virtual of this class; the defaults store a value, answer a query or call the
// handler the element's owner installed, and several end in an empty On* hook
// that subclasses override to act on the window system.
//
// The element registries (gui/Registry.h) are maintained here: construction
// appends to AllElements, destruction makes sure nothing keeps pointing at the
// element (AllElements, the parent links of its children, the keyboard focus).
#pragma once

#include "gui/FontDescription.h"

#include <X11/X.h>
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string>

// X.h names the key-press event type KeyPress, which is also the name of an
// element operation: the macro goes, the event type keeps a constant.
#ifdef KeyPress
#undef KeyPress
#endif
constexpr int XKeyPressEventType = 2;

class GUIElement;

// Handler signatures; the element comes first in every one.
using DataHandlerFn = void (*)(GUIElement* element, uint64_t userData);
using PointHandlerFn = void (*)(GUIElement* element, uint64_t userData, uint64_t point);
using KeyHandlerFn = void (*)(GUIElement* element, KeySym keysym);
using CharHandlerFn = bool (*)(GUIElement* element, char character);
using NotifyHandlerFn = void (*)(GUIElement* element);
using QueryHandlerFn = bool (*)(GUIElement* element);
using MotionHandlerFn = void (*)(GUIElement* element, int x, int y);
using SpareHandlerFn = int64_t (*)(GUIElement* element);

class GUIElement {
public:
    explicit GUIElement(uint64_t owner);
    virtual ~GUIElement();
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // Geometry (points and sizes are packed: x or width low, y or height high).
    virtual int32_t GetWidth() const { return width; }
    virtual int32_t QueryWidth() { return width; }
    virtual int32_t GetHeight() const { return height; }
    virtual int32_t QueryHeight() { return height; }
    virtual uint64_t GetPosition();
    virtual uint64_t GetSize() const;
    virtual uint64_t QuerySize() { return GetSize(); }
    virtual void SetSize(int32_t newWidth, int32_t newHeight);
    virtual void SetPosition(int32_t newX, int32_t newY);
    virtual void MoveTo(int32_t newX, int32_t newY);
    virtual void MoveToPoint(uint64_t point);
    virtual void SetBackColor(int64_t colour);
    virtual int64_t GetBackColor() const { return backColor; }

    // Visibility and state.
    virtual void Show();
    virtual void ShowMapped() { Show(); }
    virtual void Hide();
    virtual bool IsVisible() const { return visible; }
    virtual bool IsCreated() const { return created; }
    virtual void Reserved1() {}
    virtual void SetEnabled(bool flag) { enabled = flag; }
    virtual bool IsEnabled() const { return enabled; }
    virtual void Attach(GUIElement* element);
    virtual void BringToFront();
    virtual void Activate() { BringToFront(); }
    virtual void SendToBack();
    virtual void SetName(const std::string& newName) { name = newName; }
    virtual std::string GetName() const { return name; }
    virtual void SetFont(const FontDescription& description);
    virtual FontDescription& GetFont() { return font; }
    virtual bool IsTabStop() const { return tabStop; }
    virtual bool IsRepaintedWithContainer() const { return repaintWithContainer; }
    virtual bool IsChild() const { return isChild; }
    // Inclusive on all four edges; the point is in the parent's coordinates.
    virtual bool HitTest(uint64_t point);
    virtual void SetText(const std::string& newText) { text = newText; }
    virtual std::string GetText() const { return text; }
    virtual std::string GetValue() const { return GetText(); }

    // Input, called by the event loop.
    virtual void Click(uint64_t point);
    virtual void MouseDown(uint64_t point);
    virtual void DoubleClick(uint64_t point);
    virtual void OtherButtonUp(uint64_t point);
    virtual void OtherButtonDown(uint64_t point);
    virtual void SpareMouseEvent(uint64_t point);
    virtual void KeyUp(KeySym keysym);
    virtual void KeyDown(KeySym keysym);
    // True when no handler is set.
    virtual bool KeyPress(char character);
    virtual void MouseMove(int x, int y);
    // Whether the control, once focused, hears every pointer motion (a drag
    // of the slider's or the scroll bar's thumb); the loop asks it.
    virtual bool TakesDrags() const { return false; }
    virtual int64_t SpareEvent1();
    virtual int64_t SpareEvent2();
    virtual void SetFocus() { focused = true; }
    virtual void Moved();
    virtual void Resized();
    virtual void Paint() {}
    // True when no handler is set.
    virtual bool QueryClose();
    virtual void Close();
    virtual void GotFocus();
    virtual void LostFocus();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Load(uint64_t data);
    virtual void ApplyBackColor();
    virtual bool GetPairFlagFirst() const { return pairFlagFirst; }
    virtual bool GetPairFlagSecond() const { return pairFlagSecond; }
    virtual void SetPairFlagFirst(bool flag);
    virtual void SetPairFlagSecond(bool flag);
    virtual void Reserved2() {}
    virtual uint64_t& GetUserDataRef() { return userData; }
    virtual void Create() = 0;

    // Hooks for subclasses that act on the window system.
    virtual void OnMoved() {}
    virtual void OnResized() {}
    virtual void OnBackColorChanged() {}
    virtual void OnBringToFront() {}
    virtual void OnSendToBack() {}
    virtual void OnAttach(GUIElement* /*element*/) {}
    virtual void OnFontChanged() {}

    std::string GetType() const { return type; }
    uint32_t GetId() const { return id; }
    GUIElement* GetParent() const { return parent; }
    void SetParent(GUIElement* newParent) { parent = newParent; }
    // Whether Tab traversal stops on the element.
    void SetTabStop(bool flag) { tabStop = flag; }
    uint64_t GetOwner() const { return owner; }
    bool IsClosed() const { return closed; }
    bool IsFocused() const { return focused; }
    int32_t GetX() const { return x; }
    int32_t GetY() const { return y; }
    // Gives the element the next process-wide identifier when it has none.
    void AssignId();

    void SetLoadHandler(DataHandlerFn handler) { LoadHandler = handler; }
    void SetClickHandler(PointHandlerFn handler) { ClickHandler = handler; }
    void SetMouseDownHandler(PointHandlerFn handler) { MouseDownHandler = handler; }
    void SetDoubleClickHandler(PointHandlerFn handler) { DoubleClickHandler = handler; }
    void SetOtherButtonUpHandler(PointHandlerFn handler) { OtherButtonUpHandler = handler; }
    void SetOtherButtonDownHandler(PointHandlerFn handler) { OtherButtonDownHandler = handler; }
    void SetSpareMouseHandler(PointHandlerFn handler) { SpareMouseHandler = handler; }
    void SetKeyUpHandler(KeyHandlerFn handler) { KeyUpHandler = handler; }
    void SetKeyDownHandler(KeyHandlerFn handler) { KeyDownHandler = handler; }
    void SetKeyPressHandler(CharHandlerFn handler) { KeyPressHandler = handler; }
    void SetMoveHandler(NotifyHandlerFn handler) { MoveHandler = handler; }
    void SetResizeHandler(NotifyHandlerFn handler) { ResizeHandler = handler; }
    void SetQueryCloseHandler(QueryHandlerFn handler) { QueryCloseHandler = handler; }
    void SetCloseHandler(NotifyHandlerFn handler) { CloseHandler = handler; }
    void SetGotFocusHandler(NotifyHandlerFn handler) { GotFocusHandler = handler; }
    void SetLostFocusHandler(NotifyHandlerFn handler) { LostFocusHandler = handler; }
    void SetMouseEnterHandler(NotifyHandlerFn handler) { MouseEnterHandler = handler; }
    void SetMouseLeaveHandler(NotifyHandlerFn handler) { MouseLeaveHandler = handler; }
    void SetChangeHandler(NotifyHandlerFn handler) { ChangeHandler = handler; }
    void SetMouseMoveHandler(MotionHandlerFn handler) { MouseMoveHandler = handler; }
    void SetSpareHandler1(SpareHandlerFn handler) { SpareHandler1 = handler; }
    void SetSpareHandler2(SpareHandlerFn handler) { SpareHandler2 = handler; }

protected:
    // Sizes and positions are held within this many pixels either way of 0,
    // clamped where they enter: what X addresses (16-bit coordinates), and
    // small enough that the sums the controls draw with stay inside 32 bits.
    static constexpr int32_t kMaxGeometry = (1 << 15) - 1;
    static int32_t ClampGeometry(int64_t pixels)
    {
        return static_cast<int32_t>(std::clamp<int64_t>(pixels, -kMaxGeometry, kMaxGeometry));
    }

    // Stores an element's background without painting it, for a container
    // that paints the element itself right after.
    static void StoreBackColor(GUIElement* element, int64_t colour) { element->backColor = colour; }

    std::string type;
    bool isChild = false;
    bool tabStop = true;
    bool repaintWithContainer = false;
    bool visible = false;
    bool closed = false;
    bool pairFlagFirst = false;
    bool pairFlagSecond = false;
    uint64_t owner;
    uint64_t userData = 0;
    FontDescription font;
    int32_t width = 100;   // pixels
    int32_t height = 50;   // pixels
    int32_t x = 100;       // pixels, relative to the parent (a form: to the screen)
    int32_t y = 100;
    bool created = false;
    int64_t backColor = -1;  // 0xRRGGBB, -1 for none
    bool enabled = true;
    uint32_t id = 0;
    std::string name;
    std::string text;
    std::string focusValue;  // GetValue when the focus arrived
    GUIElement* parent = nullptr;
    bool loaded = false;

    DataHandlerFn LoadHandler = nullptr;
    PointHandlerFn ClickHandler = nullptr;
    PointHandlerFn MouseDownHandler = nullptr;
    PointHandlerFn DoubleClickHandler = nullptr;
    PointHandlerFn OtherButtonUpHandler = nullptr;
    PointHandlerFn OtherButtonDownHandler = nullptr;
    PointHandlerFn SpareMouseHandler = nullptr;
    KeyHandlerFn KeyUpHandler = nullptr;
    KeyHandlerFn KeyDownHandler = nullptr;
    CharHandlerFn KeyPressHandler = nullptr;
    NotifyHandlerFn MoveHandler = nullptr;
    NotifyHandlerFn ResizeHandler = nullptr;
    QueryHandlerFn QueryCloseHandler = nullptr;
    NotifyHandlerFn CloseHandler = nullptr;
    NotifyHandlerFn GotFocusHandler = nullptr;
    NotifyHandlerFn LostFocusHandler = nullptr;
    NotifyHandlerFn MouseEnterHandler = nullptr;
    NotifyHandlerFn MouseLeaveHandler = nullptr;
    NotifyHandlerFn ChangeHandler = nullptr;
    MotionHandlerFn MouseMoveHandler = nullptr;
    SpareHandlerFn SpareHandler1 = nullptr;
    SpareHandlerFn SpareHandler2 = nullptr;

    bool focused = false;
    // Local time of the previous Click, whole seconds since the epoch.
    time_t lastClick;
};
