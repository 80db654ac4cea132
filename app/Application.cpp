#include "app/Application.h"

#include "app/XErrorHandlers.h"
#include "support/Log.h"
#include "support/Packing.h"

#include <fcntl.h>

Application* MainApplication = nullptr;

Application::Application(const char* title) : title(title)
{
    OpenDisplay();
    if (MainApplication == nullptr)
        MainApplication = this;
}

Application::~Application()
{
    // The visual list too, when CloseScreen was never called.
    CloseScreen();
}

void Application::OpenDisplay()
{
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        openFailed = 1;
        WriteLog("XOpenDisplay(0) failed.");
        return;
    }
    InstallXErrorHandlers();
    // Children started for sounds and links must not keep the connection
    // (and with it the window) alive after the game has quit.
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);

    screen = DefaultScreen(display);
    screenWidth = DisplayWidth(display, screen);
    screenHeight = DisplayHeight(display, screen);
    depth = DefaultDepth(display, screen);
    if (depth < 24)
        WriteLog("This app requires 24-bit depth.");

    XVisualInfo wanted{};
    wanted.screen = screen;
    wanted.depth = depth;
    int count = 0;
    visualInfo = XGetVisualInfo(display, VisualScreenMask | VisualDepthMask, &wanted, &count);
    if (count == 0)
        WriteLog("GetVisualInfo failed.");

    screenWidth = XDisplayWidth(display, screen);
    screenHeight = XDisplayHeight(display, screen);
}

bool Application::CloseScreen()
{
    if (display == nullptr)
        return false;
    if (visualInfo != nullptr) {
        XFree(visualInfo);
        visualInfo = nullptr;
    }
    XCloseDisplay(display);
    display = nullptr;
    return true;
}

int ScreenWidth()
{
    return MainApplication != nullptr ? MainApplication->GetScreenWidth() : 0;
}

int ScreenHeight()
{
    return MainApplication != nullptr ? MainApplication->GetScreenHeight() : 0;
}

uint64_t PointerPosition()
{
    if (MainApplication == nullptr || MainApplication->GetDisplay() == nullptr)
        return 0;
    Display* display = MainApplication->GetDisplay();
    Window root = RootWindow(display, MainApplication->GetScreen());
    Window rootReturn = 0, childReturn = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, root, &rootReturn, &childReturn, &rootX, &rootY, &winX, &winY, &mask))
        return 0;
    return PackPoint(rootX, rootY);
}
