#include "gui/Form.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "gui/ElementTypes.h"
#include "gui/Registry.h"
#include "gui/ToolkitColours.h"
#include "support/Log.h"
#include "support/Packing.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <vector>

bool FormLoading = false;

namespace {
constexpr const char* kIconAndClassName = "Bruvo.exe";
// Keys, buttons, crossing, motion, exposure and structure changes (0xAA07F),
// and the focus changes that tell a form its held keys went elsewhere.
constexpr long kFormEventMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                                EnterWindowMask | LeaveWindowMask | PointerMotionMask | ButtonMotionMask |
                                ExposureMask | StructureNotifyMask | SubstructureNotifyMask | FocusChangeMask;
static_assert(kFormEventMask == (0xAA07F | FocusChangeMask), "the event mask forms select");

// X refuses windows of no size (a BadValue that ends the program): at least 1 pixel.
unsigned WindowExtent(int32_t pixels)
{
    return pixels > 0 ? static_cast<unsigned>(pixels) : 1u;
}
}  // namespace

Form::Form(uint64_t ownerValue, bool dialog) : GUIElement(ownerValue), isDialog(dialog)
{
    type = kTypeForm;
    FormList.push_back(this);
}

Form::~Form()
{
    RemoveWinForm(this);
    created = false;
    ReleaseWindow();
    if (ActiveMessageBox == this)
        ActiveMessageBox = nullptr;
}

Display* Form::GetDisplay() const
{
    return application != nullptr ? application->GetDisplay() : nullptr;
}

void Form::ReleaseWindow()
{
    if (window == 0)
        return;
    FocusedElement = nullptr;
    if (Display* display = GetDisplay()) {
        XUnmapWindow(display, window);
        XDestroyWindow(display, window);
        XFlush(display);
    }
    window = 0;
}

int32_t Form::QueryWidth()
{
    Display* display = GetDisplay();
    if (!created || display == nullptr || window == 0)
        return width;
    Window root = 0;
    int wx = 0, wy = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, window, &root, &wx, &wy, &w, &h, &border, &depth))
        return width;
    return static_cast<int32_t>(w);
}

int32_t Form::QueryHeight()
{
    Display* display = GetDisplay();
    if (!created || display == nullptr || window == 0)
        return height;
    Window root = 0;
    int wx = 0, wy = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, window, &root, &wx, &wy, &w, &h, &border, &depth))
        return height;
    return static_cast<int32_t>(h);
}

uint64_t Form::GetPosition()
{
    Display* display = GetDisplay();
    if (!created || display == nullptr || window == 0)
        return PackPoint(x, y);
    int rootX = 0, rootY = 0;
    Window childReturn = 0;
    XTranslateCoordinates(display, window, RootWindow(display, application->GetScreen()), 0, 0, &rootX,
                          &rootY, &childReturn);
    return PackPoint(rootX, rootY);
}

void Form::SetBackColor(int64_t colour)
{
    backColor = colour;
    if (created)
        ApplyBackColor();
}

void Form::Show()
{
    GUIElement::Show();
    if (created && window != 0)
        XRaiseWindow(GetDisplay(), window);
}

void Form::ShowMapped()
{
    GUIElement::Show();
    if (created && window != 0)
        XMapWindow(GetDisplay(), window);
}

void Form::Hide()
{
    GUIElement::Hide();
    if (created && window != 0)
        XUnmapWindow(GetDisplay(), window);
}

void Form::SetFocus()
{
    // Focusing a window that is not viewable is a BadMatch error; a window
    // manager may still be holding back the map request. Another client can
    // still unmap it after the check: that error is logged and ignored.
    XWindowAttributes attributes{};
    if (created && window != 0 && XGetWindowAttributes(GetDisplay(), window, &attributes) &&
        attributes.map_state == IsViewable)
        XSetInputFocus(GetDisplay(), window, RevertToNone, CurrentTime);
    focused = true;
}

void Form::Paint()
{
    if (id == 0)  // never created: 0 is also the identifier of every parent not yet created
        return;
    // Only the form's own elements: a panel paints the elements inside it.
    for (GUIElement* element : ElementsOf(id))
        if (element->GetParent() == this && element->IsCreated() && element->IsRepaintedWithContainer())
            element->Paint();
}

void Form::SetPairFlagFirst(bool flag)
{
    if (created)
        GUIElement::SetPairFlagFirst(flag);
}

void Form::Create()
{
    if (!created)
        CreateWindow();
}

void Form::OnMoved()
{
    if (window != 0)
        XMoveWindow(GetDisplay(), window, x, y);
}

void Form::OnResized()
{
    if (window != 0)
        XResizeWindow(GetDisplay(), window, WindowExtent(width), WindowExtent(height));
}

void Form::OnBringToFront()
{
    if (window != 0)
        XRaiseWindow(GetDisplay(), window);
}

void Form::OnSendToBack()
{
    if (window != 0)
        XLowerWindow(GetDisplay(), window);
}

void Form::OnAttach(GUIElement* /*element*/) {}

std::string Form::ValueOf(GUIElement* element)
{
    return element != nullptr ? element->GetValue() : std::string();
}

std::string Form::ReadValue(GUIElement* element)
{
    return element != nullptr ? element->GetValue() : std::string();
}

void Form::SetTitle(const std::string& title)
{
    SetText(title);
    if (!created || window == 0)
        return;
    std::string current = GetText();
    char* names[] = {current.data()};
    XTextProperty property{};
    if (!XStringListToTextProperty(names, 1, &property)) {
        WriteLog("XStringListToTextProperty - out of memory");
        return;
    }
    XSetWMName(GetDisplay(), window, &property);
    XSetWMIconName(GetDisplay(), window, &property);
    XFree(property.value);
}

void Form::SetTitleText(const char* characters, size_t length)
{
    SetTitle(characters != nullptr ? std::string(characters, length) : std::string());
}

void Form::DestroyWindow()
{
    created = false;
    ReleaseWindow();
}

void Form::SetIcon(Pixmap pixmap)
{
    iconPixmap = pixmap;
    if (!created || window == 0)
        return;
    XWMHints* hints = XAllocWMHints();
    if (hints == nullptr)
        return;
    hints->flags = InputHint | StateHint | IconPixmapHint;
    hints->input = True;
    hints->initial_state = NormalState;
    hints->icon_pixmap = iconPixmap;
    XSetWMHints(GetDisplay(), window, hints);
    XFree(hints);
    SetNetWmIcon();
}

// Most window managers of today take the icon only from _NET_WM_ICON: the
// width, the height, then one ARGB value a pixel (format 32 is C longs).
void Form::SetNetWmIcon()
{
    Display* display = GetDisplay();
    Window root = 0;
    int px = 0, py = 0;
    unsigned int iconWidth = 0, iconHeight = 0, border = 0, depth = 0;
    if (iconPixmap == 0 ||
        !XGetGeometry(display, iconPixmap, &root, &px, &py, &iconWidth, &iconHeight, &border, &depth) ||
        iconWidth * iconHeight > kMaxIconPixels)
        return;
    XImage* image = XGetImage(display, iconPixmap, 0, 0, iconWidth, iconHeight, AllPlanes, ZPixmap);
    if (image == nullptr)
        return;
    std::vector<unsigned long> argb{iconWidth, iconHeight};
    for (unsigned int row = 0; row < iconHeight; ++row)
        for (unsigned int column = 0; column < iconWidth; ++column)
            argb.push_back(0xFF000000ul | (XGetPixel(image, static_cast<int>(column), static_cast<int>(row)) & 0xFFFFFFul));
    XDestroyImage(image);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(argb.data()), static_cast<int>(argb.size()));
}

void Form::FitOuterSize(int32_t outerWidth, int32_t outerHeight)
{
    AdjustOuterSize(outerWidth, outerHeight, true);
}

void Form::AdjustOuterSize(int32_t outerWidth, int32_t outerHeight, bool move)
{
    if (!created)
        return;
    // What the window manager took from the stored size, never negative.
    const int32_t extraWidth = std::max(GetWidth() - QueryWidth(), 0);
    const int32_t extraHeight = std::max(GetHeight() - QueryHeight(), 0);
    if (move)
        MoveTo(x - extraWidth, y - extraHeight);
    SetSize(outerWidth + extraWidth, outerHeight + extraHeight);
}

void Form::SetGeometry(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight)
{
    x = ClampGeometry(newX);
    y = ClampGeometry(newY);
    width = ClampGeometry(newWidth);
    height = ClampGeometry(newHeight);
}

void Form::CenterOnScreen()
{
    const int32_t screenWidth = application != nullptr ? application->GetScreenWidth() : ScreenWidth();
    const int32_t screenHeight = application != nullptr ? application->GetScreenHeight() : ScreenHeight();
    MoveTo((screenWidth - width) / 2, (screenHeight - height) / 2);
}

void Form::Open()
{
    if (!created)
        Create();
    visible = true;
}

void Form::SetPairFlagSecondOn()
{
    if (created)
        SetPairFlagSecond(true);
}

void Form::SetPairFlagSecondOff()
{
    if (created)
        SetPairFlagSecond(false);
}

void Form::SetWindowProperties(Display* display)
{
    XSizeHints* sizeHints = XAllocSizeHints();
    XWMHints* wmHints = XAllocWMHints();
    XClassHint* classHint = XAllocClassHint();
    if (sizeHints == nullptr || wmHints == nullptr || classHint == nullptr) {
        WriteLog("XAllocSizeHints/XAllocWMHints/XAllocClassHint failed");
        XFree(sizeHints);
        XFree(wmHints);
        XFree(classHint);
        return;
    }
    // Minimum and maximum equal to the size: the window manager keeps it fixed.
    sizeHints->flags = PPosition | PSize | PMinSize | PMaxSize;
    sizeHints->x = x;
    sizeHints->y = y;
    sizeHints->width = sizeHints->min_width = sizeHints->max_width = width;
    sizeHints->height = sizeHints->min_height = sizeHints->max_height = height;

    wmHints->flags = InputHint | StateHint | IconPixmapHint;
    wmHints->input = True;
    wmHints->initial_state = NormalState;
    wmHints->icon_pixmap = iconPixmap;

    std::string title = GetText();
    std::string iconName = kIconAndClassName;
    std::string resourceName = kIconAndClassName;
    std::string resourceClass = kIconAndClassName;
    classHint->res_name = resourceName.data();
    classHint->res_class = resourceClass.data();

    char* titleList[] = {title.data()};
    char* iconList[] = {iconName.data()};
    XTextProperty windowName{};
    XTextProperty iconProperty{};
    const bool windowNameOk = XStringListToTextProperty(titleList, 1, &windowName) != 0;
    const bool iconNameOk = XStringListToTextProperty(iconList, 1, &iconProperty) != 0;
    if (!windowNameOk || !iconNameOk)
        WriteLog("XStringListToTextProperty - error");

    XSetWMProperties(display, window, windowNameOk ? &windowName : nullptr, iconNameOk ? &iconProperty : nullptr,
                     nullptr, 0, sizeHints, wmHints, classHint);
    XFree(sizeHints);
    XFree(wmHints);
    XFree(classHint);
    if (windowNameOk)
        XFree(windowName.value);
    if (iconNameOk)
        XFree(iconProperty.value);

    wmDeleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &wmDeleteAtom, 1);
    XSelectInput(display, window, kFormEventMask);
}

void Form::CreateWindow()
{
    Display* display = GetDisplay();
    if (application == nullptr || display == nullptr) {
        WriteLog("E' necessario impostare il display");
        return;
    }
    const int screen = application->GetScreen();
    const unsigned long background =
        backColor == -1 ? static_cast<unsigned long>(kNoColourGrey) : static_cast<unsigned long>(backColor);
    window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, WindowExtent(width),
                                 WindowExtent(height), 1, BlackPixel(display, screen), background);
    if (window != 0) {
        SetWindowProperties(display);
        if (isDialog) {
            Atom windowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
            Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
            XChangeProperty(display, window, windowType, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(&dialogType), 1);
        }
    }
    SetFocus();
    if (window == 0) {
        WriteLog("Errore creazione Form ");
        return;
    }
    AssignId();

    FormLoading = true;
    Load(userData != 0 ? userData : id);
    FormLoading = false;

    created = true;
    ApplyBackColor();
    OnCreated();

    XMapWindow(display, window);
    visible = true;
    XFlush(display);
}
