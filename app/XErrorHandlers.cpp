#include "app/XErrorHandlers.h"

#include "support/Log.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <set>
#include <string>
#include <unistd.h>

namespace {

constexpr int kTextSize = 128;  // bytes of an error or request name

// The kinds logged so far: Xlib's handler is one for the whole process, so is its record.
std::set<uint32_t> reported;

int OnXError(Display* display, XErrorEvent* error)
{
    const uint32_t kind = static_cast<uint32_t>(error->error_code) |
                          (static_cast<uint32_t>(error->request_code) << 8) |
                          (static_cast<uint32_t>(error->minor_code) << 16);
    if (!reported.insert(kind).second)
        return 0;
    char errorText[kTextSize] = {};
    XGetErrorText(display, error->error_code, errorText, sizeof errorText);
    char requestText[kTextSize] = {};
    const std::string request = std::to_string(error->request_code);
    XGetErrorDatabaseText(display, "XRequest", request.c_str(), request.c_str(), requestText,
                          sizeof requestText);
    WriteLog(std::string("X error ignored: ") + errorText + ", request " + requestText);
    return 0;
}

[[noreturn]] int OnXIOError(Display* /*display*/)
{
    WriteLog("Connection to the X server lost.");
    // Nothing may touch the dead connection any more, not even exit handlers.
    _exit(1);
}

}  // namespace

void ForgetReportedXErrors() { reported.clear(); }

void InstallXErrorHandlers()
{
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIOError);
}
