// The one event loop. Run waits on the running form's display, hands the
// clock's 10 ms steps to the timers between events and turns every X event
// into calls of the element operations: on the form owning the event's window,
// and for keys and the pointer on the focused control or the control under
// the pointer.
#include "app/EventLoop.h"

#include "app/Application.h"
#include "app/StepClock.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/controls/Timer.h"
#include "gui/images/Picture.h"
#include "services/ChildProcess.h"
#include "support/Log.h"
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

constexpr int kLookupBufferSize = 50;  // bytes XLookupString may write

// Forms handed to DeleteAfterEvent while an event was being handled, or
// while the forms of one were being deleted.
std::vector<Form*> pendingDeletes;
bool handlingEvent = false;
bool deletingPending = false;

void DeletePendingForms()
{
    // One at a time, each out of the list before its destructor runs: a
    // destructor that hands over a form still waiting finds it pending, and
    // one it hands over anew joins the end of the list.
    deletingPending = true;
    while (!pendingDeletes.empty()) {
        Form* form = pendingDeletes.front();
        pendingDeletes.erase(pendingDeletes.begin());
        delete form;
    }
    deletingPending = false;
}

// One pass of the loop: the forms its handlers retired are deleted when it ends.
class EventScope {
public:
    EventScope() : outer(handlingEvent) { handlingEvent = true; }
    ~EventScope()
    {
        handlingEvent = outer;
        if (!outer)
            DeletePendingForms();
    }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

private:
    bool outer;
};

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

// For each key code, the CharKeyTable entry its press set (0: none): the
// character the key types on its release. Translated again at the release it
// may be another (Shift let go before the letter turns 'A' into 'a').
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

// The stop signals' handlers while a loop runs; the previous ones after. A
// signal ignored when the loop starts (nohup, a background job) stays
// ignored. A nested loop finds the handlers in place and leaves them to the
// outer one, whose end also drops a signal that came while it was closing.
class StopSignalHandlers {
public:
    StopSignalHandlers()
    {
        if (wakePipe[0] < 0 && pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
            wakePipe[0] = wakePipe[1] = -1;
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        std::vector<std::pair<int, struct sigaction>> replaced;
        for (size_t i = 0; i < kStopSignalCount; ++i) {
            sigaction(kStopSignals[i], nullptr, &previous[i]);
            installed[i] = previous[i].sa_handler != SIG_IGN && previous[i].sa_handler != OnStopSignal;
            if (installed[i]) {
                sigaction(kStopSignals[i], &action, nullptr);
                replaced.emplace_back(kStopSignals[i], previous[i]);
            }
        }
        if (!replaced.empty())
            SetChildSignalActions(replaced);
    }
    ~StopSignalHandlers()
    {
        bool any = false;
        for (size_t i = 0; i < kStopSignalCount; ++i) {
            if (installed[i]) {
                sigaction(kStopSignals[i], &previous[i], nullptr);
                any = true;
            }
        }
        if (any) {
            SetChildSignalActions({});
            stopSignal = 0;
        }
    }
    StopSignalHandlers(const StopSignalHandlers&) = delete;
    StopSignalHandlers& operator=(const StopSignalHandlers&) = delete;

private:
    struct sigaction previous[kStopSignalCount];
    bool installed[kStopSignalCount];
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
    for (Form* form : FormList)
        if (form->IsCreated() && form != running)
            others.push_back(form);
    for (Form* form : others) {
        // A close handler may have closed or removed a later one.
        if (std::find(FormList.begin(), FormList.end(), form) == FormList.end() || !form->IsCreated())
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

// The focused element when it is on the form, else null: a control of a form
// covered by a dialog must not hear the dialog's keys.
GUIElement* FocusedOn(Form* form)
{
    return FocusedElement != nullptr && FormOf(FocusedElement) == form ? FocusedElement : nullptr;
}

void TabTraversal(Form* form, GUIElement* focused)
{
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

// The window that received the press of each key now down. A key pressed in
// one window and released in another (the focus moved while it was held, say
// to a dialog that opened) types nothing where it is released.
class KeyOrigins {
public:
    void Pressed(const XKeyEvent& event) { origin[event.keycode & 0xFF] = event.window; }
    // Whether this release belongs to a press the window received; the key is
    // up afterwards.
    bool Released(const XKeyEvent& event)
    {
        const bool same = origin[event.keycode & 0xFF] == event.window;
        origin[event.keycode & 0xFF] = 0;
        return same;
    }
    // The window lost the focus: its keys are released elsewhere.
    void Forget(Window window)
    {
        for (Window& entry : origin)
            if (entry == window)
                entry = 0;
    }

private:
    Window origin[256] = {};  // by key code; 0: no press received
};

// The server's auto-repeat sends a held key as a release and a press with the
// same time stamp, back to back.
bool IsRepeatRelease(XKeyEvent& release)
{
    if (XEventsQueued(release.display, QueuedAfterReading) == 0)
        return false;
    XEvent next;
    XPeekEvent(release.display, &next);
    return next.type == XKeyPressEventType && next.xkey.keycode == release.keycode &&
           next.xkey.time == release.time && next.xkey.window == release.window;
}

void OnKeyPress(Form* form, XKeyEvent& event, KeyOrigins& origins)
{
    const TranslatedKey key = Translate(event);
    origins.Pressed(event);
    if (GUIElement* focused = FocusedOn(form))
        focused->KeyDown(key.keysym);
    if (Typed(key.character)) {
        CharKeyTable[TableIndex(key.character)] = 1;
        charSetByKey[event.keycode % kKeyCodes] = TableIndex(key.character);
    }
    form->KeyDown(key.keysym);
}

// The entry of CharKeyTable the key's press set goes wherever its release
// lands: in another window than the press (the pressed one destroyed), on a
// window of no form or on a disabled form, the key is up all the same.
// Returns the character of the press, which the release types.
char ReleaseCharKey(const XKeyEvent& event)
{
    unsigned char& setByPress = charSetByKey[event.keycode % kKeyCodes];
    const char pressed = static_cast<char>(setByPress);
    if (setByPress != 0)
        CharKeyTable[setByPress] = 0;
    setByPress = 0;
    return pressed;
}

// A key types on its release, but the character of its press: Shift let go
// before the letter still gives the capital, as fast typists and xdotool let
// it go.
void OnKeyRelease(Form* form, XKeyEvent& event, KeyOrigins& origins, char pressed)
{
    if (!origins.Released(event)) {
        // A key held since before this window had the focus: its auto-repeat
        // and its release type nothing here.
        if (IsRepeatRelease(event)) {
            XEvent repeat;
            XNextEvent(event.display, &repeat);
        }
        return;
    }
    TranslatedKey key = Translate(event);
    key.character = pressed;
    GUIElement* focused = FocusedOn(form);
    if (key.keysym == XK_Tab && (focused == nullptr || focused->IsTabStop())) {
        TabTraversal(form, focused);
    } else if (focused != nullptr) {
        if (Typed(key.character))
            focused->KeyPress(key.character);
        // The KeyPress may have moved the focus.
        if (GUIElement* still = FocusedOn(form))
            still->KeyUp(key.keysym);
    }
    if (Typed(key.character))
        form->KeyPress(key.character);
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
    if (FocusedElement != nullptr && FocusedElement->TakesDrags())
        FocusedElement->MouseMove(event.x, event.y);
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
    case UnmapNotify:
        return event.xunmap.window;
    default:
        return event.xany.window;
    }
}

// The keys held when a window loses the focus are released elsewhere.
void OnFocusOut(Form* form, const XFocusChangeEvent& event, KeyOrigins& origins)
{
    if (event.detail == NotifyInferior)
        return;
    std::memset(CharKeyTable, 0, sizeof CharKeyTable);
    std::memset(charSetByKey, 0, sizeof charSetByKey);
    origins.Forget(event.window);
    form->OnFocusLost();
}

void Dispatch(Form* running, XEvent& event, KeyOrigins& origins)
{
    const char pressed = event.type == KeyRelease ? ReleaseCharKey(event.xkey) : 0;
    Form* form = FindFormByWindow(TargetWindow(event));
    if (form == nullptr)
        return;
    switch (event.type) {
    case XKeyPressEventType:
        if (form->IsEnabled()) {
            OnKeyPress(form, event.xkey, origins);
        }
        break;
    case KeyRelease:
        if (form->IsEnabled())
            OnKeyRelease(form, event.xkey, origins, pressed);
        break;
    case FocusOut:
        OnFocusOut(form, event.xfocus, origins);
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
    case UnmapNotify:
        form->OnUnmapped();
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
        if (element->GetType() == kTypeForm && element->IsCreated())
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

void DeleteAfterEvent(Form* form)
{
    if (form == nullptr)
        return;
    if (!handlingEvent && !deletingPending) {
        delete form;
        return;
    }
    if (!IsDeletePending(form))
        pendingDeletes.push_back(form);
}

bool IsDeletePending(const Form* form)
{
    return std::find(pendingDeletes.begin(), pendingDeletes.end(), form) != pendingDeletes.end();
}

int IsCharKeyDown(int code)
{
    if (code < 0 || code > 255)
        return 0;
    return CharKeyTable[code] == 1 ? -1 : 0;
}

namespace {

// The timers' side of a loop pass: hands the due steps to the timers between
// events and waits for the next step or event. True when the pass is over
// without an event to take.
class TimerPass {
public:
    explicit TimerPass(Display* display) : display(display), clock(LoopClock()), queueFreeMs(LoopClock()) {}

    bool Run()
    {
        if (TimerList.empty()) {
            clock.Restart(LoopClock());
            return false;
        }
        // Events a step caused, or input in a burst, come first. Once events
        // have kept the queue busy for a step's time, due steps go between
        // them, so game time keeps up under a steady stream and the catch-up
        // limit drops steps only after a real stall.
        const uint64_t now = LoopClock();
        if (XPending(display) == 0)
            queueFreeMs = now;
        else if (now - queueFreeMs < StepClock::kStepMs)
            return false;
        // One step a pass: the pass ends with it, so that a stop signal and
        // the forms its callbacks retired are seen to before the next step,
        // however long the callbacks take. The events it caused come first.
        if (clock.DueSteps(LoopClock()) > 0) {
            clock.StepTaken();
            ++LoopCounters.ticks;
            TickAll(StepClock::kStepMs);
            return XPending(display) == 0;
        }
        ++LoopCounters.idleWaits;
        const int ready = LoopWait(ConnectionNumber(display), clock.MsToNextStep(LoopClock()));
        // The queue was empty all through the wait.
        queueFreeMs = LoopClock();
        if (ready == 0)
            return true;
        // The input may be only an error reply, which XPending reads and hands
        // to the error handler: with no event behind it, XNextEvent would block
        // until the next real event and stop the timers meanwhile.
        return XPending(display) == 0;
    }

private:
    Display* display;
    StepClock clock;
    uint64_t queueFreeMs;  // when the event queue was last seen empty
};

}  // namespace

LoopWaitFn LoopWait = WaitForConnection;

void Form::Run()
{
    Display* display = application != nullptr ? application->GetDisplay() : nullptr;
    std::memset(CharKeyTable, 0, sizeof CharKeyTable);
    std::memset(charSetByKey, 0, sizeof charSetByKey);
    if (display != nullptr) {
        const StopSignalHandlers handlers;
        const int fd = ConnectionNumber(display);
        TimerPass timers(display);
        KeyOrigins origins;
        while (!QuitRequested) {
            const EventScope pass;
            if (stopSignal != 0) {
                const int number = stopSignal;
                stopSignal = 0;
                CloseForStopSignal(this, number);
                break;
            }
            if (timers.Run())
                continue;
            // Events are only taken when queued: a blocking read would keep a
            // stop signal waiting, and input that was only an error reply
            // (an X error, logged and gone) has no event behind it.
            if (XPending(display) == 0) {
                if (TimerList.empty())
                    LoopWait(fd, -1);
                continue;
            }
            XEvent event;
            XNextEvent(display, &event);
            ++LoopCounters.events;
            Dispatch(this, event, origins);
        }
    }
    Shutdown(this);
}
