// Shared pieces of the toolkit tests: one Application on the private X server
// for the whole program, recording elements, a fixture that checks the
// registries are empty after every test, and a timer-driven script that feeds
// real X events (XTest) to the running loop one idle step at a time.
#pragma once

// gtest before Xlib: X.h's None and Bool macros break gtest's templates.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/EventLoop.h"
#include "gui/Child.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/controls/Timer.h"
#include "support/Packing.h"
#include "tests/common/TempDir.h"
#include "tests/common/XTestSupport.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <functional>
#include <string>
#include <vector>

namespace guitest {

using xtest::App;
using xtest::Dpy;
using xtest::PixelAt;

// Every recorded call, as "label:operation".
inline std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

inline void Record(const std::string& label, const std::string& what)
{
    Calls().push_back(label + ":" + what);
}

inline bool Called(const std::string& entry)
{
    for (const std::string& call : Calls())
        if (call == entry)
            return true;
    return false;
}

inline int CountOf(const std::string& entry)
{
    int count = 0;
    for (const std::string& call : Calls())
        count += call == entry;
    return count;
}

// A windowless control that records what the loop calls on it.
class RecordingControl : public Child {
public:
    RecordingControl(GUIElement* parentElement, const std::string& labelText, int px, int py, int w, int h)
        : Child(parentElement), label(labelText)
    {
        x = px;
        y = py;
        width = w;
        height = h;
        type = "testcontrol";
    }
    void SetType(const std::string& newType) { type = newType; }
    void SetRepaint(bool flag) { repaintWithContainer = flag; }
    void SetTakesDrags(bool flag) { takesDrags = flag; }
    bool TakesDrags() const override { return takesDrags; }

    void Create() override
    {
        if (created)
            return;
        if (id == 0)
            id = ++NextElementId;
        created = true;
        visible = true;
    }
    void MouseDown(uint64_t point) override { Record(label, "MouseDown"); Child::MouseDown(point); }
    void Click(uint64_t point) override { Record(label, "Click"); Child::Click(point); }
    void KeyDown(KeySym keysym) override { Record(label, "KeyDown " + std::to_string(keysym)); Child::KeyDown(keysym); }
    void KeyUp(KeySym keysym) override { Record(label, "KeyUp " + std::to_string(keysym)); Child::KeyUp(keysym); }
    bool KeyPress(char character) override
    {
        Record(label, "KeyPress " + std::to_string(static_cast<int>(character)));
        return Child::KeyPress(character);
    }
    void MouseMove(int px, int py) override { Record(label, "MouseMove"); Child::MouseMove(px, py); }
    void GotFocus() override { Record(label, "GotFocus"); Child::GotFocus(); }
    void LostFocus() override { Record(label, "LostFocus"); Child::LostFocus(); }
    void Paint() override { Record(label, "Paint"); }

    std::string label;
    bool takesDrags = false;
};

// A form that records what the loop calls on it.
class RecordingForm : public Form {
public:
    RecordingForm(const std::string& labelText, int px, int py, int w, int h, bool dialog = false)
        : Form(0, dialog), label(labelText)
    {
        SetApplication(App());
        MoveTo(px, py);
        SetSize(w, h);
        SetTitle(labelText);
    }
    void MouseDown(uint64_t point) override { Record(label, "MouseDown"); Form::MouseDown(point); }
    void Click(uint64_t point) override { Record(label, "Click"); Form::Click(point); }
    void OtherButtonDown(uint64_t point) override { Record(label, "OtherButtonDown"); Form::OtherButtonDown(point); }
    void OtherButtonUp(uint64_t point) override { Record(label, "OtherButtonUp"); Form::OtherButtonUp(point); }
    void KeyDown(KeySym keysym) override { Record(label, "KeyDown " + std::to_string(keysym)); Form::KeyDown(keysym); }
    void KeyUp(KeySym keysym) override { Record(label, "KeyUp " + std::to_string(keysym)); Form::KeyUp(keysym); }
    bool KeyPress(char character) override
    {
        Record(label, "KeyPress " + std::to_string(static_cast<int>(character)));
        return Form::KeyPress(character);
    }
    void MouseMove(int px, int py) override { Record(label, "MouseMove"); Form::MouseMove(px, py); }
    void MouseEnter() override { Record(label, "MouseEnter"); }
    void MouseLeave() override { Record(label, "MouseLeave"); }
    void Paint() override { Record(label, "Paint"); Form::Paint(); }
    void Resized() override { Record(label, "Resized"); Form::Resized(); }
    bool QueryClose() override
    {
        Record(label, "QueryClose");
        return Form::QueryClose();
    }
    void Close() override { Record(label, "Close"); Form::Close(); }
    void OnTick() override { Record(label, "OnTick"); }
    void OnUnmapped() override { Record(label, "OnUnmapped"); }

    std::string label;
};

// Waits until the server has processed everything asked so far; the events it
// generated are in the queue afterwards.
inline void Sync()
{
    XSync(Dpy(), False);
}

// The root point of a point of the form's window.
inline void MovePointer(Form* form, int px, int py)
{
    const uint64_t origin = form->GetPosition();
    XTestFakeMotionEvent(Dpy(), App()->GetScreen(), PointX(origin) + px, PointY(origin) + py, CurrentTime);
    Sync();
}

inline void Button(unsigned button, bool press)
{
    XTestFakeButtonEvent(Dpy(), button, press ? True : False, CurrentTime);
    Sync();
}

inline void Key(KeySym keysym, bool press)
{
    XTestFakeKeyEvent(Dpy(), XKeysymToKeycode(Dpy(), keysym), press ? True : False, CurrentTime);
    Sync();
}

inline void Tap(KeySym keysym)
{
    Key(keysym, true);
    Key(keysym, false);
}

// Sends the window manager's close request, as a window manager would.
inline void SendDeleteWindow(Form* form)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = form->GetWindow();
    event.xclient.message_type = XInternAtom(Dpy(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(form->GetWmDeleteAtom());
    XSendEvent(Dpy(), form->GetWindow(), False, NoEventMask, &event);
    Sync();
}

// Runs the loop on a form and performs one step at every idle timer tick, so
// each step's events have been dispatched before the next step starts. After
// the last step the script raises QuitRequested.
class Script {
public:
    explicit Script(Form* running) : form(running), driver(running, 0)
    {
        driver.SetCallback(&Script::Step);
    }
    void Then(std::function<void()> step) { steps.push_back(std::move(step)); }
    void Run()
    {
        current = this;
        QuitRequested = false;
        driver.Start();
        Sync();  // the form's first Expose is queued before the first tick
        form->Run();
        current = nullptr;
    }
    size_t StepsDone() const { return next; }

private:
    // The loop may hand a due step over between queued events; a step waits
    // until the events of the one before have all been handled.
    static void Step(Timer* /*timer*/)
    {
        Script* script = current;
        XSync(Dpy(), False);
        if (XPending(Dpy()) != 0)
            return;
        if (script->next < script->steps.size())
            script->steps[script->next++]();
        else
            QuitRequested = true;
    }

    static inline Script* current = nullptr;
    Form* form;
    Timer driver;
    std::vector<std::function<void()>> steps;
    size_t next = 0;
};

// Every toolkit test: a private working folder for log.txt, fresh loop state,
// and empty registries when the test is over.
class GuiTest : public ::testing::Test {
protected:
    GuiTest() { folder.Enter(); }
    void SetUp() override
    {
        ASSERT_NE(Dpy(), nullptr) << "the tests need the X server named by DISPLAY";
        XSync(Dpy(), True);  // events of an earlier test's windows are no concern here
        Calls().clear();
        QuitRequested = false;
        FocusedElement = nullptr;
    }
    void TearDown() override
    {
        EXPECT_TRUE(AllElements.empty()) << AllElements.size() << " elements left registered";
        EXPECT_TRUE(FormList.empty());
        EXPECT_TRUE(TimerList.empty());
        AllElements.clear();
        FormList.clear();
        TimerList.clear();
    }
    std::string Log() const { return folder.Read("log.txt"); }

    TempDir folder;
};

}  // namespace guitest
