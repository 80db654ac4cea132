// Form: a top-level X window of a fixed size on the display of an Application.
// Controls live inside it without windows of their own; the event loop (Run)
// delivers every X event to the form owning the event's window.
#pragma once

#include "gui/GUIElement.h"

#include <X11/Xlib.h>
#include <string>

class Application;

// True only while a form runs its LoadHandler during window creation; most
// controls do not paint meanwhile, the first Expose draws them.
extern bool FormLoading;

class Form : public GUIElement {
public:
    explicit Form(uint64_t owner, bool isDialog = false);
    ~Form() override;

    int32_t QueryWidth() override;
    int32_t QueryHeight() override;
    uint64_t GetPosition() override;
    void SetBackColor(int64_t colour) override;
    void Show() override;
    void ShowMapped() override;
    void Hide() override;
    void SetFocus() override;
    void Paint() override;
    void SetPairFlagFirst(bool flag) override;
    void Create() override;
    void OnMoved() override;
    void OnResized() override;
    void OnBringToFront() override;
    void OnSendToBack() override;
    void OnAttach(GUIElement* element) override;

    virtual void FormSpare1() {}
    // Derived forms call it before closing.
    virtual void FormSpare2() {}
    virtual std::string ValueOf(GUIElement* element);
    // Stores the title; once created, also the window and icon names.
    virtual void SetTitle(const std::string& title);
    virtual std::string ReadValue(GUIElement* element);
    virtual void SetTitleText(const char* characters, size_t length);
    // Called at the end of window creation, before the window is mapped.
    virtual void OnCreated() {}
    // A client message of type None with 1 as its first word; the game form's frame step.
    virtual void OnTick() {}
    // The window lost the keyboard focus; keys held now are released elsewhere.
    virtual void OnFocusLost() {}
    // The window was unmapped: iconified, or hidden by another client.
    virtual void OnUnmapped() {}
    virtual void FormSpare3() {}
    virtual void SetStyleFlag2(bool flag) { styleFlag2 = flag; }
    virtual void SetStyleFlag3(bool flag) { styleFlag3 = flag; }
    virtual void SetStyleFlag4(bool flag) { styleFlag4 = flag; }
    // Unmaps and destroys the window (and drops the keyboard focus); the form
    // can be created again later.
    virtual void DestroyWindow();
    // A message box reports to the form it covered.
    virtual void OnDialogResult(int /*kind*/, int /*result*/) {}
    virtual bool IsDialog() const { return isDialog; }
    virtual void SetIcon(Pixmap pixmap);
    virtual void FitOuterSize(int32_t outerWidth, int32_t outerHeight);
    virtual void AdjustOuterSize(int32_t outerWidth, int32_t outerHeight, bool move);
    virtual void SetStyleFlag5(bool flag) { styleFlag5 = flag; }
    virtual void SetStyleFlag1(bool flag) { styleFlag1 = flag; }
    virtual void SetActiveDialog(Form* dialog) { activeDialog = dialog; }
    // Records a move or resize made by the window manager, nothing else.
    virtual void SetGeometry(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight);
    virtual void SetApplication(Application* app) { application = app; }
    virtual Application* GetApplication() const { return application; }
    virtual void CenterOnScreen();
    virtual void Open();
    virtual void OpenAgain() { Open(); }
    virtual Window GetWindow() const { return window; }
    virtual void SetPairFlagSecondOn();
    virtual void SetPairFlagSecondOff();

    Form* GetActiveDialog() const { return activeDialog; }
    Atom GetWmDeleteAtom() const { return wmDeleteAtom; }
    bool GetStyleFlag1() const { return styleFlag1; }
    bool GetStyleFlag2() const { return styleFlag2; }
    bool GetStyleFlag3() const { return styleFlag3; }
    bool GetStyleFlag4() const { return styleFlag4; }
    bool GetStyleFlag5() const { return styleFlag5; }

    // The event loop (app/EventLoop.cpp): runs on this form until QuitRequested
    // is raised, then destroys every form's window and closes this form.
    void Run();

protected:
    Form* activeDialog = nullptr;  // the dialog covering this form
    Atom wmDeleteAtom = None;
    Pixmap iconPixmap = 0;
    Application* application = nullptr;
    Window window = 0;
    bool styleFlag1 = true;
    bool styleFlag2 = true;
    bool styleFlag3 = true;
    bool styleFlag4 = true;
    bool isDialog;
    bool styleFlag5 = false;

private:
    static constexpr unsigned kMaxIconPixels = 256 * 256;  // larger icons are not copied

    void CreateWindow();
    // The icon pixmap also as _NET_WM_ICON.
    void SetNetWmIcon();
    void SetWindowProperties(Display* display);
    void ReleaseWindow();
    Display* GetDisplay() const;
};
