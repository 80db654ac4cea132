// The one event loop. Run waits on the running form's display, hands the 10 ms
// idle waits to the timers and turns every X event into calls of the element
// operations: on the form owning the event's window, and for keys and the
// pointer on the focused control or the control under the pointer.
#include "app/EventLoop.h"

#include "app/Application.h"
#include "app/Log.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/controls/Timer.h"
#include "support/Packing.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

bool QuitRequested = false;
GUIElement* FocusedElement = nullptr;
Form* ActiveMessageBox = nullptr;
unsigned char CharKeyTable[256] = {};
EventLoopCounters LoopCounters;

namespace {

constexpr int kIdleWaitMs = 10;      // one timer step
constexpr int kLookupBufferSize = 50;  // bytes XLookupString may write

struct TranslatedKey {
    KeySym keysym = NoSymbol;
    char character = 0;  // the first byte typed, taken as signed: > 0 only for ASCII
};

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in the terminal) end the loop
// as closing the windows through the window manager would. A signal handler
// can only reach process-wide state: the signal's number, and a pipe whose
// read end the loop's waits watch, so a signal that comes just before a wait
// still wakes it.
constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr size_t kStopSignalCount = sizeof kStopSignals / sizeof kStopSignals[0];
volatile sig_atomic_t stopSignal = 0;
int wakePipe[2] = {-1, -1};

// For each key code, the CharKeyTable entry its press set (0: none). The
// release clears that entry: translated again it may type another character
// (Shift released in between turns 'A' into 'a').
constexpr size_t kKeyCodes = 256;
unsigned char charSetByKey[kKeyCodes] = {};

void OnStopSignal(int number)
{
    const int saved = errno;
    stopSignal = number;
    if (wakePipe[1] >= 0) {
        const ssize_t ignored = write(wakePipe[1], "s", 1);
        (void)ignored;
    }
    errno = saved;
}

// The stop signals' handlers while a loop runs; the previous ones after.
class StopSignalHandlers {
public:
    StopSignalHandlers()
    {
        if (wakePipe[0] < 0 && pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
            wakePipe[0] = wakePipe[1] = -1;
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < kStopSignalCount; ++i)
            sigaction(kStopSignals[i], &action, &previous[i]);
    }
    ~StopSignalHandlers()
    {
        for (size_t i = 0; i < kStopSignalCount; ++i)
            sigaction(kStopSignals[i], &previous[i], nullptr);
    }
    StopSignalHandlers(const StopSignalHandlers&) = delete;
    StopSignalHandlers& operator=(const StopSignalHandlers&) = delete;

private:
    struct sigaction previous[kStopSignalCount];
};

// Waits up to timeoutMs (-1: no limit) for input on the connection or a stop
// signal; 0 when the time ran out.
int WaitForConnection(int fd, int timeoutMs)
{
    pollfd watched[2] = {{fd, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    const int ready = poll(watched, wakePipe[0] >= 0 ? 2 : 1, timeoutMs);
    if (ready > 0 && (watched[1].revents & POLLIN) != 0) {
        char drained[16];
        while (read(wakePipe[0], drained, sizeof drained) > 0) {
        }
    }
    return ready;
}

// What a stop signal does: every other open form is closed as the window
// manager closes it (a name dialog records its result), then the running form
// is asked as for its own close, and the loop ends whatever it answers.
void CloseForStopSignal(Form* running, int number)
{
    WriteLog("Closing on signal " + std::to_string(number) + " (" + strsignal(number) + ")");
    std::vector<Form*> others;
    for (GUIElement* element : AllElements)
        if (element->GetType() == "form" && element->IsCreated() && element->GetId() != running->GetId())
            others.push_back(static_cast<Form*>(element));
    for (Form* form : others) {
        // A close handler may have closed or removed a later one.
        if (std::find(AllElements.begin(), AllElements.end(), form) == AllElements.end() || !form->IsCreated())
            continue;
        if (form->QueryClose()) {
            form->DestroyWindow();
            form->Close();
        }
    }
    running->QueryClose();
    QuitRequested = true;
}

TranslatedKey Translate(XKeyEvent& event)
{
    char buffer[kLookupBufferSize] = {};
    TranslatedKey key;
    XLookupString(&event, buffer, sizeof buffer, &key.keysym, nullptr);
    key.character = static_cast<char>(static_cast<signed char>(buffer[0]));
    return key;
}

bool Typed(char character)
{
    return static_cast<signed char>(character) > 0;
}

unsigned char TableIndex(char character)
{
    return static_cast<unsigned char>(character);
}

void MoveFocusTo(GUIElement* next)
{
    if (FocusedElement != nullptr)
        FocusedElement->LostFocus();
    FocusedElement = next;
    next->GotFocus();
}

void TabTraversal(Form* form)
{
    GUIElement* focused = FocusedElement;
    const std::vector<GUIElement*> elements = ElementsOf(form->GetId());
    GUIElement* picked = nullptr;
    for (GUIElement* element : elements)
        if ((focused == nullptr || element->GetId() > focused->GetId()) && element->IsTabStop()) {
            picked = element;
            break;
        }
    if (picked == nullptr)
        for (GUIElement* element : elements)
            if (element->IsTabStop()) {
                picked = element;
                break;
            }
    if (picked != nullptr)
        MoveFocusTo(picked);
}

void OnKeyPress(Form* form, XKeyEvent& event)
{
    const TranslatedKey key = Translate(event);
    if (FocusedElement != nullptr)
        FocusedElement->KeyDown(key.keysym);
    if (Typed(key.character)) {
        CharKeyTable[TableIndex(key.character)] = 1;
        charSetByKey[event.keycode % kKeyCodes] = TableIndex(key.character);
    }
    form->KeyDown(key.keysym);
}

void OnKeyRelease(Form* form, XKeyEvent& event)
{
    const TranslatedKey key = Translate(event);
    if (key.keysym == XK_Tab && (FocusedElement == nullptr || FocusedElement->IsTabStop())) {
        TabTraversal(form);
    } else if (FocusedElement != nullptr) {
        if (Typed(key.character))
            FocusedElement->KeyPress(key.character);
        // The KeyPress may have moved the focus.
        if (FocusedElement != nullptr)
            FocusedElement->KeyUp(key.keysym);
    }
    unsigned char& setByPress = charSetByKey[event.keycode % kKeyCodes];
    if (setByPress != 0)
        CharKeyTable[setByPress] = 0;
    setByPress = 0;
    if (Typed(key.character)) {
        CharKeyTable[TableIndex(key.character)] = 0;
        form->KeyPress(key.character);
    }
    form->KeyUp(key.keysym);
}

bool HitsFocusedOf(Form* form, uint64_t point)
{
    return FocusedElement != nullptr && FocusedElement->HitTest(point) && FocusedElement->GetParent() == form;
}

void PressButton1(Form* form, uint64_t point)
{
    if (HitsFocusedOf(form, point)) {
        FocusedElement->MouseDown(point);
        form->MouseDown(point);
        return;
    }
    GUIElement* hit = FindElementAt(form->GetId(), point);
    if (hit == nullptr) {
        if (FocusedElement != nullptr) {
            FocusedElement->LostFocus();
            FocusedElement = nullptr;
        }
        form->MouseDown(point);
        return;
    }
    if (FocusedElement == nullptr) {
        hit->GotFocus();
    } else if (FocusedElement->GetId() != hit->GetId()) {
        FocusedElement->LostFocus();
        hit->GotFocus();
    }
    hit->MouseDown(point);
    FocusedElement = hit;
    form->MouseDown(point);
}

void ReleaseButton1(Form* form, uint64_t point)
{
    if (HitsFocusedOf(form, point)) {
        FocusedElement->Click(point);
        form->Click(point);
        return;
    }
    GUIElement* hit = FindElementAt(form->GetId(), point);
    if (hit != nullptr && FocusedElement != nullptr && hit->GetId() == FocusedElement->GetId()) {
        hit->Click(point);
    } else if (FocusedElement != nullptr) {
        FocusedElement->LostFocus();
        FocusedElement = nullptr;
    }
    form->Click(point);
}

void OnButton(Form* form, XButtonEvent& event, bool pressed)
{
    const uint64_t point = PackPoint(event.x, event.y);
    if (!form->IsEnabled()) {
        // A form covered by a dialog still hears the mouse, whatever the button.
        if (pressed)
            form->MouseDown(point);
        else
            form->Click(point);
        return;
    }
    if (event.button == Button1) {
        if (pressed)
            PressButton1(form, point);
        else
            ReleaseButton1(form, point);
    } else if (event.button == Button2 || event.button == Button3 || event.button == Button4) {
        if (pressed)
            form->OtherButtonDown(point);
        else
            form->OtherButtonUp(point);
    }
}

void OnMotion(Form* form, XMotionEvent& event)
{
    if (FocusedElement != nullptr) {
        const std::string focusedType = FocusedElement->GetType();
        if (focusedType == "slider" || focusedType == "scrollbar")
            FocusedElement->MouseMove(event.x, event.y);
    }
    form->MouseMove(event.x, event.y);
}

void OnClientMessage(Form* running, Form* form, XClientMessageEvent& event)
{
    if (static_cast<Atom>(event.data.l[0]) == form->GetWmDeleteAtom() && form->GetWmDeleteAtom() != None) {
        if (form->GetId() == running->GetId()) {
            // The running form decides itself whether to raise QuitRequested.
            running->QueryClose();
        } else if (form->QueryClose()) {
            form->DestroyWindow();
            form->Close();
        }
    } else if (event.message_type == None && event.data.l[0] == 1) {
        form->OnTick();
    }
}

Window TargetWindow(const XEvent& event)
{
    switch (event.type) {
    case DestroyNotify:
        return event.xdestroywindow.window;
    case ConfigureNotify:
        return event.xconfigure.window;
    default:
        return event.xany.window;
    }
}

void Dispatch(Form* running, XEvent& event)
{
    Form* form = FindFormByWindow(TargetWindow(event));
    if (form == nullptr)
        return;
    switch (event.type) {
    case XKeyPressEventType:
        if (form->IsEnabled())
            OnKeyPress(form, event.xkey);
        break;
    case KeyRelease:
        if (form->IsEnabled())
            OnKeyRelease(form, event.xkey);
        break;
    case ButtonPress:
        OnButton(form, event.xbutton, true);
        break;
    case ButtonRelease:
        OnButton(form, event.xbutton, false);
        break;
    case MotionNotify:
        if (form->IsEnabled())
            OnMotion(form, event.xmotion);
        break;
    case EnterNotify:
        form->MouseEnter();
        break;
    case LeaveNotify:
        form->MouseLeave();
        break;
    case Expose:
        form->Paint();
        break;
    case ConfigureNotify: {
        const XConfigureEvent& configure = event.xconfigure;
        const uint64_t size = form->GetSize();
        if (configure.width != PointX(size) || configure.height != PointY(size))
            form->Resized();
        form->SetGeometry(configure.x, configure.y, configure.width, configure.height);
        break;
    }
    case ClientMessage:
        OnClientMessage(running, form, event.xclient);
        break;
    default:
        break;
    }
}

void Shutdown(Form* running)
{
    for (size_t i = 0; i < AllElements.size(); ++i) {
        GUIElement* element = AllElements[i];
        if (element->GetType() == "form" && element->IsCreated())
            static_cast<Form*>(element)->DestroyWindow();
    }
    if (ActiveMessageBox != nullptr) {
        Form* box = ActiveMessageBox;
        ActiveMessageBox = nullptr;
        box->DestroyWindow();
        delete box;
    }
    running->Close();
}

}  // namespace

int IsCharKeyDown(int code)
{
    if (code < 0 || code > 255)
        return 0;
    return CharKeyTable[code] == 1 ? -1 : 0;
}

void Form::Run()
{
    Display* display = application != nullptr ? application->GetDisplay() : nullptr;
    std::memset(CharKeyTable, 0, sizeof CharKeyTable);
    std::memset(charSetByKey, 0, sizeof charSetByKey);
    if (display != nullptr) {
        const StopSignalHandlers handlers;
        const int fd = ConnectionNumber(display);
        while (!QuitRequested) {
            if (stopSignal != 0) {
                const int number = stopSignal;
                stopSignal = 0;
                CloseForStopSignal(this, number);
                break;
            }
            // Events are only taken when queued, so a stop signal is never
            // left waiting behind a blocking read of the connection.
            if (XPending(display) == 0) {
                if (TimerList.empty()) {
                    WaitForConnection(fd, -1);
                    continue;
                }
                ++LoopCounters.idleWaits;
                if (WaitForConnection(fd, kIdleWaitMs) == 0) {
                    ++LoopCounters.ticks;
                    TickAll(kIdleWaitMs);
                }
                continue;
            }
            XEvent event;
            XNextEvent(display, &event);
            ++LoopCounters.events;
            Dispatch(this, event);
        }
    }
    Shutdown(this);
}
