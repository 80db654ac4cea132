#include "gui/controls/TrackControl.h"

#include "gui/ToolkitColours.h"
#include "support/Packing.h"

#include <X11/keysym.h>

namespace {
constexpr char kSpace = 32;
}  // namespace

TrackControl::TrackControl(GUIElement* parentElement) : Child(parentElement)
{
    tabStop = true;
    repaintWithContainer = true;
}

void TrackControl::SetFocus()
{
    focused = true;
    Paint();
}

void TrackControl::GotFocus()
{
    Child::GotFocus();
    Paint();
}

void TrackControl::LostFocus()
{
    Child::LostFocus();
    dragging = false;
    Paint();
}

void TrackControl::Click(uint64_t point)
{
    dragging = false;
    Child::Click(point);
}

void TrackControl::MouseDown(uint64_t point)
{
    if (enabled) {
        dragging = true;
        PressAt(point);
    }
    Child::MouseDown(point);
}

void TrackControl::MouseMove(int px, int py)
{
    if (dragging)
        DragTo(PackPoint(px, py));
    Child::MouseMove(px, py);
}

bool TrackControl::KeyPress(char character)
{
    if (enabled && focused && character == kSpace)
        KeyDown(XK_Down);
    return Child::KeyPress(character);
}

int32_t TrackControl::LineColour(int32_t enabledColour) const
{
    return enabled ? enabledColour : kDisabledGrey;
}
