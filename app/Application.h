// Application: owns the X display connection and the facts about the default
// screen that forms, drawing and pictures need.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdint>

class Application {
public:
    explicit Application(const char* title);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Frees the visual list and closes the display; false when nothing was open.
    bool CloseScreen();

    Display* GetDisplay() const { return display; }
    int GetScreen() const { return screen; }
    int GetScreenWidth() const { return screenWidth; }
    int GetScreenHeight() const { return screenHeight; }
    int GetDepth() const { return depth; }
    XVisualInfo* GetVisualInfo() const { return visualInfo; }
    const char* GetTitle() const { return title; }
    int HasFailed() const { return openFailed; }

private:
    void OpenDisplay();

    int32_t screen = 0;
    Display* display = nullptr;
    XVisualInfo* visualInfo = nullptr;
    const char* title;            // borrowed: the caller keeps it alive
    int32_t openFailed = 0;
    int32_t screenWidth = 800;    // pixels, until the display is open
    int32_t screenHeight = 600;   // pixels
    int32_t depth = 8;            // bits
};

// The first Application made; later ones do not replace it, and it is never cleared.
extern Application* MainApplication;

// Size of MainApplication's screen in pixels, 0 without one.
int ScreenWidth();
int ScreenHeight();
// Pointer position on the screen, packed (x low 32 bits, y high); 0 on failure.
uint64_t PointerPosition();
