// Controls given the most extreme sizes and positions a caller can pass keep
// them within what X addresses (16-bit coordinates), and are shown, painted,
// driven by the keys and the mouse and hidden without an arithmetic overflow
// (the sanitized build stops at the first).
#include "tests/controls/ControlTestSupport.h"

#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/CheckBox.h"
#include "gui/controls/OptionBox.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/ProgressBar.h"
#include "gui/controls/ScrollBar.h"
#include "gui/controls/Slider.h"
#include "gui/controls/TextBoxCustom.h"

#include <X11/keysym.h>
#include <climits>
#include <cstdlib>

using namespace controltest;

namespace {

constexpr int64_t kXLimit = 32767;

std::unique_ptr<Child> Make(int kind, GUIElement* parent)
{
    switch (kind) {
    case 0: return std::make_unique<ButtonCustom>(parent, "OK");
    case 1: return std::make_unique<CellControl>(parent);
    case 2: return std::make_unique<CheckBox>(parent, "check");
    case 3: {
        auto box = std::make_unique<OptionBox>(parent);
        box->AddItem("one", "1");
        box->AddItem("two", "2");
        return box;
    }
    case 4: return std::make_unique<PanelChildren>(parent);
    case 5: return std::make_unique<ProgressBar>(parent, INT32_MIN, INT32_MAX);
    case 6: return std::make_unique<Slider>(parent, false, INT32_MIN, INT32_MAX);
    case 7: return std::make_unique<Slider>(parent, true, 0, 10);
    case 8: return std::make_unique<ScrollBar>(parent, INT32_MIN, INT32_MAX);
    default: return std::make_unique<TextBoxCustom>(parent, "text");
    }
}
constexpr int kKinds = 10;

struct Geometry {
    int32_t x, y, width, height;
};
const Geometry kGeometries[] = {
    {10, 10, INT32_MAX, INT32_MAX},
    {10, 10, INT32_MIN, INT32_MIN},
    {INT32_MAX, INT32_MAX, 50, 30},
    {INT32_MIN, INT32_MIN, 50, 30},
    {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
};

class ExtremeGeometryTest : public ControlTest {
protected:
    static void Place(Child& control, const Geometry& at)
    {
        control.SetPosition(at.x, at.y);
        control.SetSize(at.width, at.height);
        for (int64_t value : {control.GetX(), control.GetY(), control.GetWidth(), control.GetHeight()})
            EXPECT_LE(std::abs(value), kXLimit);
    }
    // Everything a control meets in use.
    void Exercise(Child& control)
    {
        control.Show();
        control.GotFocus();
        for (KeySym key : {XK_Down, XK_Up, XK_Right, XK_Left, XK_Return})
            control.KeyDown(key);
        control.KeyPress(' ');
        for (uint64_t point : {PackPoint(0, 0), PackPoint(INT32_MAX, INT32_MAX), PackPoint(INT32_MIN, INT32_MIN)}) {
            control.MouseDown(point);
            control.MouseMove(PointX(point), PointY(point));
            control.Click(point);
        }
        FindElementAt(form->GetId(), PackPoint(200, 150));
        control.LostFocus();
        control.Hide();
    }
};

TEST_F(ExtremeGeometryTest, EveryControlKeepsExtremeSizesAndPositionsWithinWhatXAddresses)
{
    for (int kind = 0; kind < kKinds; ++kind) {
        for (const Geometry& at : kGeometries) {
            SCOPED_TRACE(::testing::Message() << "control " << kind << " at " << at.x << "," << at.y << " size "
                                              << at.width << "," << at.height);
            std::unique_ptr<Child> control = Make(kind, form.get());
            Place(*control, at);
            Exercise(*control);
            // Inside a panel far out, the positions' sums grow further.
            PanelChildren panel(form.get());
            Place(panel, at);
            control = Make(kind, &panel);
            Place(*control, at);
            panel.Show();
            Exercise(*control);
            panel.Hide();
        }
    }
}

}  // namespace
