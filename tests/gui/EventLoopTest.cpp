// The running loop fed with real X events from XTest and XSendEvent.
#include "GuiTestSupport.h"
#include "services/ChildProcess.h"
#include "support/FileUtil.h"

#include <X11/keysym.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace guitest;

namespace {

class EventLoopTest : public GuiTest {};

std::string Sym(KeySym keysym)
{
    return std::to_string(keysym);
}

TEST_F(EventLoopTest, PressOnOneControlAndReleaseOnAnother)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingControl a(&form, "a", 10, 10, 50, 30);
    RecordingControl b(&form, "b", 100, 10, 50, 30);
    a.Show();
    b.Show();
    Script script(&form);
    script.Then([&] { MovePointer(&form, 20, 20); Button(1, true); });
    script.Then([&] {
        EXPECT_EQ(FocusedElement, &a);
        MovePointer(&form, 120, 20);
        Button(1, false);
    });
    script.Run();
    EXPECT_EQ(FocusedElement, nullptr);
    EXPECT_TRUE(Called("a:GotFocus"));
    EXPECT_TRUE(Called("a:MouseDown"));
    EXPECT_TRUE(Called("a:LostFocus"));
    EXPECT_FALSE(Called("a:Click"));
    EXPECT_EQ(CountOf("b:Click") + CountOf("b:MouseDown") + CountOf("b:GotFocus"), 0);
    EXPECT_EQ(CountOf("form:MouseDown"), 1);
    EXPECT_EQ(CountOf("form:Click"), 1);
}

TEST_F(EventLoopTest, ClickOnAControlThenOnEmptyAreaTakesTheFocusAway)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingControl a(&form, "a", 10, 10, 50, 30);
    a.Show();
    Script script(&form);
    script.Then([&] { MovePointer(&form, 20, 20); });
    script.Then([&] { Calls().clear(); Button(1, true); Button(1, false); });
    script.Then([&] {
        EXPECT_EQ(FocusedElement, &a);
        EXPECT_EQ(Calls(), (std::vector<std::string>{"a:GotFocus", "a:MouseDown", "form:MouseDown", "a:Click",
                                                     "form:Click"}))
            << "the control first, then its form";
        MovePointer(&form, 200, 150);
    });
    script.Then([&] { Calls().clear(); Button(1, true); });
    script.Then([&] { Button(1, false); });
    script.Run();
    EXPECT_EQ(FocusedElement, nullptr);
    EXPECT_EQ(Calls()[0], "a:LostFocus");
    EXPECT_TRUE(Called("form:MouseDown"));
}

TEST_F(EventLoopTest, TabMovesThroughTheTabStopsAndWrapsAround)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingControl first(&form, "first", 10, 10, 20, 20);
    RecordingControl skipped(&form, "skipped", 40, 10, 20, 20);
    RecordingControl last(&form, "last", 70, 10, 20, 20);
    skipped.SetTabStop(false);
    for (RecordingControl* control : {&first, &skipped, &last})
        control->Show();
    std::vector<GUIElement*> focusAfterTab;
    Script script(&form);
    script.Then([&] { form.SetFocus(); });
    for (int i = 0; i < 3; ++i) {
        script.Then([&] { Tap(XK_Tab); });
        script.Then([&] { focusAfterTab.push_back(FocusedElement); });
    }
    script.Run();
    EXPECT_EQ(focusAfterTab, (std::vector<GUIElement*>{&first, &last, &first}));
    EXPECT_EQ(CountOf("form:KeyPress 9"), 3);
    EXPECT_EQ(CountOf("form:KeyUp " + Sym(XK_Tab)), 3);
    EXPECT_EQ(CountOf("first:KeyPress 9") + CountOf("last:KeyPress 9"), 0);
    EXPECT_EQ(CountOf("first:KeyUp " + Sym(XK_Tab)), 0);
    EXPECT_EQ(CountOf("first:KeyDown " + Sym(XK_Tab)), 1) << "the press still reaches the focused control";
    EXPECT_EQ(CountOf("last:LostFocus"), 1);
}

TEST_F(EventLoopTest, AFocusedControlThatIsNoTabStopTakesTabLikeAnyKey)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingControl plain(&form, "plain", 10, 10, 20, 20);
    plain.SetTabStop(false);
    plain.Show();
    Script script(&form);
    script.Then([&] { form.SetFocus(); FocusedElement = &plain; Tap(XK_Tab); });
    script.Run();
    EXPECT_TRUE(Called("plain:KeyPress 9"));
    EXPECT_TRUE(Called("plain:KeyUp " + Sym(XK_Tab)));
    EXPECT_TRUE(Called("form:KeyPress 9"));
}

TEST_F(EventLoopTest, KeysOfAnotherFormNeverReachTheFocusedControl)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingForm other("other", 350, 0, 300, 200);
    other.Create();
    RecordingControl focused(&form, "focused", 10, 10, 20, 20);
    RecordingControl stop(&other, "stop", 10, 10, 20, 20);
    focused.Show();
    stop.Show();
    GUIElement* afterTab = nullptr;
    Script script(&form);
    script.Then([&] { other.SetFocus(); FocusedElement = &focused; Tap(XK_a); Tap(XK_Return); });
    script.Then([&] { Tap(XK_Tab); });
    script.Then([&] { afterTab = FocusedElement; });
    script.Run();
    for (const std::string& call : Calls())
        EXPECT_NE(call.rfind("focused:Key", 0), 0u) << call;
    EXPECT_TRUE(Called("other:KeyDown " + Sym(XK_a)));
    EXPECT_TRUE(Called("other:KeyPress 97"));
    EXPECT_TRUE(Called("other:KeyPress 13"));
    EXPECT_TRUE(Called("other:KeyUp " + Sym(XK_Return)));
    // Tab starts from nothing on the other form: its first tab stop.
    EXPECT_EQ(afterTab, &stop);
    EXPECT_TRUE(Called("focused:LostFocus"));
    EXPECT_TRUE(Called("stop:GotFocus"));
}

TEST_F(EventLoopTest, CharacterKeysAreHeldInTheKeyTable)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingControl focused(&form, "focused", 10, 10, 20, 20);
    focused.Show();
    int whileHeld = 0, afterRelease = 1, functionKeyHeld = 0;
    Script script(&form);
    script.Then([&] { form.SetFocus(); FocusedElement = &focused; Key(XK_a, true); });
    script.Then([&] { whileHeld = IsCharKeyDown('a'); Key(XK_a, false); });
    script.Then([&] { afterRelease = IsCharKeyDown('a'); Key(XK_F1, true); });
    script.Then([&] {
        for (int code = 1; code < 256; ++code)
            functionKeyHeld |= IsCharKeyDown(code);
        Key(XK_F1, false);
    });
    script.Run();
    EXPECT_EQ(whileHeld, -1);
    EXPECT_EQ(afterRelease, 0);
    EXPECT_EQ(functionKeyHeld, 0);
    EXPECT_TRUE(Called("focused:KeyDown " + Sym(XK_a)));
    EXPECT_TRUE(Called("focused:KeyPress 97"));
    EXPECT_TRUE(Called("form:KeyPress 97"));
    EXPECT_TRUE(Called("focused:KeyDown " + Sym(XK_F1)));
    EXPECT_TRUE(Called("focused:KeyUp " + Sym(XK_F1)));
    EXPECT_TRUE(Called("form:KeyUp " + Sym(XK_F1)));
    EXPECT_EQ(CountOf("form:KeyPress 97"), 1);
    EXPECT_EQ(IsCharKeyDown(300), 0);
    EXPECT_EQ(IsCharKeyDown(-1), 0);
}

TEST_F(EventLoopTest, ReleaseClearsTheEntryItsPressSetWhateverTheModifiers)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    int upperWhileHeld = 0, upperAfterRelease = -1, lowerAfterRelease = -1;
    Script script(&form);
    script.Then([&] { form.SetFocus(); Key(XK_Shift_L, true); });
    script.Then([&] { Key(XK_a, true); });
    // Shift goes up first: the release of a now translates as 'a'.
    script.Then([&] { upperWhileHeld = IsCharKeyDown('A'); Key(XK_Shift_L, false); });
    script.Then([&] { Key(XK_a, false); });
    script.Then([&] { upperAfterRelease = IsCharKeyDown('A'); lowerAfterRelease = IsCharKeyDown('a'); });
    script.Run();
    EXPECT_EQ(upperWhileHeld, -1);
    EXPECT_EQ(upperAfterRelease, 0) << "entry 65 stuck after the release";
    EXPECT_EQ(lowerAfterRelease, 0);
}

TEST_F(EventLoopTest, ADisabledFormGetsOnlyMouseDownAndClick)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingControl a(&form, "a", 10, 10, 50, 30);
    a.Show();
    Script script(&form);
    script.Then([&] { form.SetFocus(); form.SetEnabled(false); MovePointer(&form, 20, 20); });
    script.Then([&] {
        Calls().clear();
        Button(1, true);
        Button(1, false);
        Button(3, true);
        Button(3, false);
        MovePointer(&form, 25, 25);
        Tap(XK_a);
    });
    script.Run();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"form:MouseDown", "form:Click", "form:MouseDown", "form:Click",
                                                 "form:Close"}))
        << "nothing for keys, motion or the control; the shutdown closes the form";
    EXPECT_EQ(FocusedElement, nullptr);
}

TEST_F(EventLoopTest, OtherButtonsAndTheWheel)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    Script script(&form);
    script.Then([&] { MovePointer(&form, 50, 50); });
    script.Then([&] {
        Calls().clear();
        for (unsigned button : {2u, 4u, 5u}) {
            Button(button, true);
            Button(button, false);
        }
    });
    script.Run();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"form:OtherButtonDown", "form:OtherButtonUp",
                                                 "form:OtherButtonDown", "form:OtherButtonUp", "form:Close"}))
        << "button 5 is ignored";
}

TEST_F(EventLoopTest, PointerMotionReachesAFocusedControlThatTakesDragsFirst)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    RecordingControl slider(&form, "slider", 10, 10, 50, 20);
    slider.SetTakesDrags(true);
    RecordingControl box(&form, "box", 10, 50, 50, 20);
    slider.Show();
    box.Show();
    Script script(&form);
    script.Then([&] { MovePointer(&form, 100, 100); });
    script.Then([&] { FocusedElement = &slider; Calls().clear(); MovePointer(&form, 110, 100); });
    script.Then([&] {
        EXPECT_EQ(Calls(), (std::vector<std::string>{"slider:MouseMove", "form:MouseMove"}));
        FocusedElement = &box;
        Calls().clear();
        MovePointer(&form, 120, 100);
    });
    script.Run();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"form:MouseMove", "form:Close"}));
}

TEST_F(EventLoopTest, EnterLeaveExposeResizeAndTick)
{
    RecordingForm form("form", 0, 0, 300, 200);
    RecordingForm other("other", 400, 0, 100, 100);
    form.Create();
    other.Create();
    RecordingControl painted(&form, "painted", 10, 10, 20, 20);
    painted.SetRepaint(true);
    painted.Show();
    RecordingControl unpainted(&form, "unpainted", 40, 10, 20, 20);
    unpainted.Show();
    Script script(&form);
    script.Then([&] { MovePointer(&form, 50, 50); });
    script.Then([&] { MovePointer(&other, 50, 50); });
    script.Then([&] {
        XResizeWindow(Dpy(), form.GetWindow(), 320, 210);
        Sync();
    });
    script.Then([&] {
        XEvent tick{};
        tick.xclient.type = ClientMessage;
        tick.xclient.window = form.GetWindow();
        tick.xclient.message_type = None;
        tick.xclient.format = 32;
        tick.xclient.data.l[0] = 1;
        XSendEvent(Dpy(), form.GetWindow(), False, NoEventMask, &tick);
        Sync();
    });
    script.Then([&] {
        XUnmapWindow(Dpy(), other.GetWindow());  // as a window manager iconifies it
        Sync();
    });
    script.Run();
    EXPECT_EQ(CountOf("other:OnUnmapped"), 1);
    EXPECT_FALSE(Called("form:OnUnmapped"));
    EXPECT_TRUE(Called("form:MouseEnter"));
    EXPECT_TRUE(Called("form:MouseLeave"));
    EXPECT_TRUE(Called("other:MouseEnter"));
    EXPECT_TRUE(Called("form:Paint"));
    EXPECT_TRUE(Called("painted:Paint"));
    EXPECT_FALSE(Called("unpainted:Paint"));
    EXPECT_EQ(CountOf("form:Resized"), 1);
    EXPECT_EQ(form.GetSize(), PackPoint(320, 210));
    EXPECT_EQ(CountOf("form:OnTick"), 1);
    EXPECT_FALSE(Called("other:OnTick"));
}

bool closeAllowed = true;
bool AllowClose(GUIElement*)
{
    return closeAllowed;
}

TEST_F(EventLoopTest, WindowManagerCloseOfTheRunningFormOnlyAsksIt)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    bool closedDuringRun = true;
    Window windowDuringRun = 0;
    Script script(&form);
    script.Then([&] { SendDeleteWindow(&form); });
    script.Then([&] { closedDuringRun = form.IsClosed(); windowDuringRun = form.GetWindow(); });
    script.Run();
    EXPECT_EQ(CountOf("form:QueryClose"), 1);
    EXPECT_FALSE(closedDuringRun);
    EXPECT_NE(windowDuringRun, 0u);
    EXPECT_EQ(CountOf("form:Close"), 1) << "only the shutdown closes it";
}

TEST_F(EventLoopTest, WindowManagerCloseOfAnotherFormFollowsItsQueryClose)
{
    RecordingForm form("form", 0, 0, 300, 200);
    RecordingForm dialog("dialog", 400, 0, 100, 100, true);
    form.Create();
    dialog.Create();
    dialog.SetQueryCloseHandler(&AllowClose);
    Window afterRefusal = 0;
    Script script(&form);
    script.Then([&] { closeAllowed = false; SendDeleteWindow(&dialog); });
    script.Then([&] {
        afterRefusal = dialog.GetWindow();
        EXPECT_FALSE(dialog.IsClosed());
        closeAllowed = true;
        SendDeleteWindow(&dialog);
    });
    script.Then([&] {
        EXPECT_TRUE(dialog.IsClosed());
        EXPECT_EQ(dialog.GetWindow(), 0u);
        EXPECT_FALSE(dialog.IsCreated());
    });
    script.Run();
    EXPECT_NE(afterRefusal, 0u);
    EXPECT_EQ(CountOf("dialog:QueryClose"), 2);
    EXPECT_EQ(CountOf("dialog:Close"), 1);
    EXPECT_EQ(CountOf("form:QueryClose"), 0);
}

// A message box stand-in: the loop's shutdown must destroy and free it.
int boxesFreed = 0;
class FakeMessageBox : public RecordingForm {
public:
    using RecordingForm::RecordingForm;
    ~FakeMessageBox() override { ++boxesFreed; }
};

void QuitOnKey(GUIElement*, KeySym)
{
    QuitRequested = true;
}

std::vector<Window> RootChildren()
{
    Window root = 0, parentWindow = 0;
    Window* children = nullptr;
    unsigned count = 0;
    XQueryTree(Dpy(), DefaultRootWindow(Dpy()), &root, &parentWindow, &children, &count);
    std::vector<Window> result(children, children + count);
    XFree(children);
    return result;
}

bool Contains(const std::vector<Window>& windows, Window window)
{
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

TEST_F(EventLoopTest, QuitRaisedInAHandlerEndsRunAndTheShutdownDestroysEveryWindow)
{
    boxesFreed = 0;
    auto* form = new RecordingForm("form", 0, 0, 300, 200);
    RecordingForm second("second", 400, 0, 100, 100);
    auto* box = new FakeMessageBox("box", 600, 0, 100, 100, true);
    form->Create();
    second.Create();
    box->Create();
    ActiveMessageBox = box;
    form->SetKeyDownHandler(&QuitOnKey);
    const std::vector<Window> windows{form->GetWindow(), second.GetWindow(), box->GetWindow()};
    form->SetFocus();
    Sync();
    Key(XK_q, true);  // queued before Run: with no timer the loop blocks for it
    Key(XK_q, false);
    form->Run();
    Sync();
    const std::vector<Window> after = RootChildren();
    for (Window window : windows)
        EXPECT_FALSE(Contains(after, window));
    EXPECT_EQ(boxesFreed, 1);
    EXPECT_EQ(ActiveMessageBox, nullptr);
    EXPECT_TRUE(form->IsClosed());
    EXPECT_FALSE(Called("form:KeyUp " + Sym(XK_q))) << "the loop ended right after the handler";
    EXPECT_FALSE(second.IsCreated());
    delete form;
    QuitRequested = false;
}

TEST_F(EventLoopTest, AlreadyRaisedQuitReadsNoEvent)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    Sync();
    const uint64_t eventsBefore = LoopCounters.events;
    QuitRequested = true;
    form.Run();
    EXPECT_EQ(LoopCounters.events, eventsBefore);
    EXPECT_EQ(CountOf("form:Close"), 1);
    EXPECT_EQ(form.GetWindow(), 0u);
    QuitRequested = false;
    XSync(Dpy(), True);  // drop the Expose of the destroyed window
}

bool QuitOnClose(GUIElement*)
{
    QuitRequested = true;
    return true;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(EventLoopTest, WithoutTimersTheLoopBlocksUntilAnEventArrives)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    form.SetQueryCloseHandler(&QuitOnClose);
    Sync();
    const Window target = form.GetWindow();
    const Atom deleteAtom = form.GetWmDeleteAtom();
    // Another client sends the close request late, from a process of its own.
    const pid_t sender = fork();
    if (sender == 0) {
        usleep(400 * 1000);
        Display* other = XOpenDisplay(nullptr);
        if (other != nullptr) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = target;
            event.xclient.message_type = XInternAtom(other, "WM_PROTOCOLS", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteAtom);
            XSendEvent(other, target, False, NoEventMask, &event);
            XSync(other, False);
        }
        _exit(0);
    }
    ASSERT_GT(sender, 0);
    const EventLoopCounters before = LoopCounters;
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    form.Run();
    const auto waited = std::chrono::steady_clock::now() - start;
    const double cpuUsed = CpuSeconds() - cpuBefore;
    waitpid(sender, nullptr, 0);
    EXPECT_GE(waited, std::chrono::milliseconds(350));
    EXPECT_EQ(LoopCounters.idleWaits, before.idleWaits) << "no 10 ms waits without timers";
    EXPECT_EQ(LoopCounters.ticks, before.ticks);
    EXPECT_LE(LoopCounters.events - before.events, 8u) << "woken only by the window's own events";
    EXPECT_LT(cpuUsed, 0.1) << "the loop slept in XNextEvent";
    EXPECT_EQ(CountOf("form:QueryClose"), 1);
    QuitRequested = false;
}

TEST_F(EventLoopTest, StopSignalsCloseLikeTheWindowManager)
{
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(number);
        Calls().clear();
        TempDir logFolder;
        logFolder.Enter();
        RecordingForm form("form", 0, 0, 300, 200);
        RecordingForm dialog("dialog", 400, 0, 100, 100, true);
        form.Create();
        dialog.Create();
        dialog.SetQueryCloseHandler(&AllowClose);
        closeAllowed = true;
        bool dialogClosedInRun = false;
        Script script(&form);
        script.Then([&] { kill(getpid(), number); });
        // Never reached: the signal ends the loop before the next step.
        script.Then([&] { dialogClosedInRun = true; });
        script.Run();
        EXPECT_EQ(script.StepsDone(), 1u);
        EXPECT_FALSE(dialogClosedInRun);
        EXPECT_EQ(CountOf("dialog:QueryClose"), 1);
        EXPECT_EQ(CountOf("dialog:Close"), 1);
        EXPECT_EQ(CountOf("form:QueryClose"), 1);
        EXPECT_EQ(CountOf("form:Close"), 1);
        EXPECT_FALSE(dialog.IsCreated());
        EXPECT_EQ(logFolder.Read("log.txt"),
                  "Closing on signal " + std::to_string(number) + " (" + strsignal(number) + ")\n");
        QuitRequested = false;
    }
    // Outside the loop the signals have their usual meaning again.
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

// In a forked child: waits until the process pid catches the signal (its
// handler is installed), then sends it. The limit is generous for a loaded
// machine; should it pass, the signal goes anyway and the test fails loudly.
[[noreturn]] void SendOnceCaught(pid_t pid, int number)
{
    constexpr int kLimitMs = 60000;
    const std::string status = "/proc/" + std::to_string(pid) + "/status";
    for (int waited = 0; waited < kLimitMs; waited += 10) {
        std::FILE* file = std::fopen(status.c_str(), "r");
        char line[256];
        unsigned long long caught = 0;
        while (file != nullptr && std::fgets(line, sizeof line, file) != nullptr)
            if (std::sscanf(line, "SigCgt: %llx", &caught) == 1)
                break;
        if (file != nullptr)
            std::fclose(file);
        if ((caught & (1ULL << (number - 1))) != 0)
            break;
        usleep(10 * 1000);
    }
    kill(pid, number);
    _exit(0);
}

TEST_F(EventLoopTest, StopSignalWakesALoopWithoutTimers)
{
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    Sync();
    TempDir logFolder;
    logFolder.Enter();
    const pid_t parent = getpid();
    const pid_t sender = fork();
    if (sender == 0)
        SendOnceCaught(parent, SIGTERM);
    ASSERT_GT(sender, 0);
    form.Run();   // blocked waiting on the connection until the signal
    waitpid(sender, nullptr, 0);
    EXPECT_EQ(CountOf("form:QueryClose"), 1);
    EXPECT_TRUE(form.IsClosed());
    QuitRequested = false;
}

// The stop signals' dispositions a function child finds: 0 when SIGHUP is
// ignored and SIGTERM has its default action, as before the loop.
void ReportDispositions(void*)
{
    struct sigaction hangUp {}, terminate {};
    sigaction(SIGHUP, nullptr, &hangUp);
    sigaction(SIGTERM, nullptr, &terminate);
    _exit(hangUp.sa_handler == SIG_IGN && terminate.sa_handler == SIG_DFL ? 0 : 1);
}

TEST_F(EventLoopTest, IgnoredStopSignalStaysIgnored)
{
    // As under nohup: the hang-up is ignored when the game starts.
    struct sigaction ignore {}, before {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ASSERT_EQ(sigaction(SIGHUP, &ignore, &before), 0);
    struct Restore {
        struct sigaction action;
        ~Restore() { sigaction(SIGHUP, &action, nullptr); }
    } restore{before};

    TempDir logFolder;
    logFolder.Enter();
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    int childStatus = -1;
    Script script(&form);
    script.Then([&] { kill(getpid(), SIGHUP); });
    script.Then([&] {
        const pid_t child = StartChildFunction(&ReportDispositions, nullptr);
        childStatus = child > 0 ? WaitForChild(child) : -1;
    });
    script.Run();
    EXPECT_EQ(script.StepsDone(), 2u);
    ASSERT_TRUE(WIFEXITED(childStatus));
    EXPECT_EQ(WEXITSTATUS(childStatus), 0) << "the child finds the dispositions from before the loop";
    EXPECT_FALSE(FileExists(logFolder.File("log.txt")));
    struct sigaction current {};
    sigaction(SIGHUP, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_IGN);
    QuitRequested = false;
}

bool SignalAgainOnClose(GUIElement*)
{
    kill(getpid(), SIGTERM);
    return true;
}

TEST_F(EventLoopTest, SignalDuringTheCloseDoesNotEndTheNextLoop)
{
    TempDir logFolder;
    logFolder.Enter();
    {
        RecordingForm form("form", 0, 0, 300, 200);
        form.Create();
        form.SetQueryCloseHandler(&SignalAgainOnClose);
        Script script(&form);
        script.Then([&] { kill(getpid(), SIGTERM); });
        script.Run();
        EXPECT_EQ(CountOf("form:QueryClose"), 1);
        QuitRequested = false;
    }
    RecordingForm next("next", 0, 0, 300, 200);
    next.Create();
    Script script(&next);
    script.Then([] {});
    script.Then([] {});
    script.Run();
    EXPECT_EQ(script.StepsDone(), 2u) << "the second signal belonged to the loop that was closing";
    QuitRequested = false;
}

// A form that records its deletion and, from its destructor, hands further
// forms to DeleteAfterEvent (as a dialog might the box it opened).
std::vector<std::string> deletions;
std::vector<bool> pendingWhenHandedOver;
class HandingOverForm : public Form {
public:
    HandingOverForm(std::string name, std::vector<Form*> handOver = {}) : Form(0), label(name), handed(handOver) {}
    ~HandingOverForm() override
    {
        for (Form* form : handed) {
            pendingWhenHandedOver.push_back(IsDeletePending(form));
            DeleteAfterEvent(form);
        }
        deletions.push_back(label);
    }
    void Create() override {}

private:
    std::string label;
    std::vector<Form*> handed;
};

TEST_F(EventLoopTest, AFormHandedOverByTheDestructorOfAPendingOneIsDeletedOnceAfterIt)
{
    deletions.clear();
    pendingWhenHandedOver.clear();
    auto* later = new HandingOverForm("later");
    auto* fresh = new HandingOverForm("fresh");
    auto* first = new HandingOverForm("first", {later, fresh});
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    std::vector<std::string> deletedAfterTheStep;
    Script script(&form);
    script.Then([&] {
        DeleteAfterEvent(first);
        DeleteAfterEvent(later);
    });
    script.Then([&] { deletedAfterTheStep = deletions; });
    script.Run();
    EXPECT_EQ(pendingWhenHandedOver, (std::vector<bool>{true, false})) << "the rest of the batch still waits";
    EXPECT_EQ(deletedAfterTheStep, (std::vector<std::string>{"first", "later", "fresh"})) << "each once";
}

// A timer step that takes longer than a step's time, so that a step is due
// again as soon as one is over. On its tenth call it retires a form, on its
// twentieth it sends itself SIGTERM; after about six seconds it gives up by
// raising QuitRequested, so that a loop that misses the signal still ends.
constexpr int kRetireCall = 10;
constexpr int kSignalCall = 20;
constexpr int kGiveUpCall = 400;
constexpr useconds_t kSlowStepUs = 15 * 1000;
struct Overload {
    int calls = 0;
    size_t deletionsAfterRetiring = 0;
};
Overload overload;

void SlowStep(Timer*)
{
    ++overload.calls;
    if (overload.calls == kRetireCall)
        DeleteAfterEvent(new HandingOverForm("retired"));
    if (overload.calls == kRetireCall + 1)
        overload.deletionsAfterRetiring = deletions.size();
    if (overload.calls == kSignalCall) {
        kill(getpid(), SIGTERM);
    }
    if (overload.calls >= kGiveUpCall)
        QuitRequested = true;
    usleep(kSlowStepUs);
}

TEST_F(EventLoopTest, AStopSignalEndsTheLoopWithinAStepHoweverLongTheTimersTake)
{
    TempDir logFolder;
    logFolder.Enter();
    deletions.clear();
    overload = Overload{};
    RecordingForm form("form", 0, 0, 300, 200);
    form.Create();
    Timer slow(&form, 0);
    slow.SetCallback(&SlowStep);
    slow.Start();
    form.Run();
    EXPECT_EQ(overload.calls, kSignalCall) << "no step ran after the one that received the signal";
    EXPECT_EQ(overload.deletionsAfterRetiring, 1u) << "a retired form goes when its step is over";
    EXPECT_EQ(CountOf("form:QueryClose"), 1);
    QuitRequested = false;
}

// The release lands in the window that has the keyboard now: another form,
// or a window of this connection that is no form's.
TEST_F(EventLoopTest, AKeyHeldWhileItsWindowIsDestroyedIsUpAfterItsRelease)
{
    for (const bool toPlainWindow : {false, true}) {
        SCOPED_TRACE(toPlainWindow ? "released in a window of no form" : "released in another form");
        Calls().clear();
        RecordingForm form("form", 0, 0, 300, 200);
        RecordingForm other("other", 400, 0, 300, 200);
        form.Create();
        other.Create();
        const Window plain = XCreateSimpleWindow(Dpy(), DefaultRootWindow(Dpy()), 800, 0, 100, 100, 0, 0, 0);
        XSelectInput(Dpy(), plain, KeyPressMask | KeyReleaseMask);
        XMapWindow(Dpy(), plain);
        XSync(Dpy(), False);
        int whileHeld = 0, afterRelease = -1;
        Script script(&other);
        script.Then([&] { form.SetFocus(); });
        script.Then([&] { Key(XK_a, true); });
        script.Then([&] {
            whileHeld = IsCharKeyDown('a');
            form.DestroyWindow();
            if (toPlainWindow)
                XSetInputFocus(Dpy(), plain, RevertToPointerRoot, CurrentTime);
            else
                other.SetFocus();
        });
        script.Then([&] { Key(XK_a, false); });
        script.Then([&] { afterRelease = IsCharKeyDown('a'); });
        script.Run();
        XDestroyWindow(Dpy(), plain);
        XSync(Dpy(), False);
        EXPECT_EQ(whileHeld, -1);
        EXPECT_EQ(afterRelease, 0);
        EXPECT_FALSE(Called("other:KeyPress 97")) << "it types nothing there";
    }
}

}  // namespace
