// Form windows read back from the X server with Xlib.
#include "GuiTestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

using namespace guitest;

namespace {

class FormTest : public GuiTest {};

std::string TextProperty(Window window, Atom property)
{
    XTextProperty value{};
    if (!XGetTextProperty(Dpy(), window, &value, property) || value.value == nullptr)
        return "<none>";
    std::string text(reinterpret_cast<char*>(value.value), value.nitems);
    XFree(value.value);
    return text;
}

int MapState(Window window)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(Dpy(), window, &attributes);
    return attributes.map_state;
}

TEST_F(FormTest, CreatedWindowCarriesTheWindowManagerProperties)
{
    RecordingForm form("Bruvo Stage Krodel test", 30, 40, 320, 200);
    form.Create();
    Sync();
    const Window window = form.GetWindow();
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(form.IsCreated());
    EXPECT_TRUE(form.IsVisible());
    EXPECT_EQ(MapState(window), IsViewable);

    EXPECT_EQ(TextProperty(window, XA_WM_NAME), "Bruvo Stage Krodel test");
    EXPECT_EQ(TextProperty(window, XA_WM_ICON_NAME), "Bruvo.exe");

    XClassHint classHint{};
    ASSERT_TRUE(XGetClassHint(Dpy(), window, &classHint));
    EXPECT_STREQ(classHint.res_name, "Bruvo.exe");
    EXPECT_STREQ(classHint.res_class, "Bruvo.exe");
    XFree(classHint.res_name);
    XFree(classHint.res_class);

    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(Dpy(), window, &hints, &supplied));
    EXPECT_EQ(hints.flags & (PPosition | PSize | PMinSize | PMaxSize), PPosition | PSize | PMinSize | PMaxSize);
    EXPECT_EQ(hints.min_width, 320);
    EXPECT_EQ(hints.max_width, 320);
    EXPECT_EQ(hints.min_height, 200);
    EXPECT_EQ(hints.max_height, 200);

    XWMHints* wmHints = XGetWMHints(Dpy(), window);
    ASSERT_NE(wmHints, nullptr);
    EXPECT_TRUE(wmHints->flags & InputHint);
    EXPECT_TRUE(wmHints->input);
    EXPECT_EQ(wmHints->initial_state, NormalState);
    XFree(wmHints);

    Atom* protocols = nullptr;
    int count = 0;
    ASSERT_TRUE(XGetWMProtocols(Dpy(), window, &protocols, &count));
    ASSERT_EQ(count, 1);
    EXPECT_EQ(protocols[0], XInternAtom(Dpy(), "WM_DELETE_WINDOW", False));
    EXPECT_EQ(protocols[0], form.GetWmDeleteAtom());
    XFree(protocols);

    XWindowAttributes attributes{};
    XGetWindowAttributes(Dpy(), window, &attributes);
    EXPECT_EQ(attributes.your_event_mask, 0xAA07F | FocusChangeMask);
    EXPECT_EQ(attributes.width, 320);
    EXPECT_EQ(attributes.border_width, 1);
    EXPECT_EQ(form.QueryWidth(), 320);
    EXPECT_EQ(form.QueryHeight(), 200);

    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(Dpy(), window, XInternAtom(Dpy(), "_NET_WM_WINDOW_TYPE", False), 0, 4, False, XA_ATOM,
                       &type, &format, &items, &after, &data);
    EXPECT_EQ(items, 0u) << "an ordinary form announces no window type";
    XFree(data);
    form.DestroyWindow();
}

TEST_F(FormTest, DialogFormAnnouncesTheDialogType)
{
    RecordingForm dialog("dialog", 0, 0, 100, 80, true);
    EXPECT_TRUE(dialog.IsDialog());
    dialog.Create();
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(Dpy(), dialog.GetWindow(), XInternAtom(Dpy(), "_NET_WM_WINDOW_TYPE", False), 0,
                                 4, False, XA_ATOM, &type, &format, &items, &after, &data),
              Success);
    ASSERT_EQ(items, 1u);
    EXPECT_EQ(type, XA_ATOM);
    EXPECT_EQ(format, 32);
    EXPECT_EQ(*reinterpret_cast<Atom*>(data), XInternAtom(Dpy(), "_NET_WM_WINDOW_TYPE_DIALOG", False));
    XFree(data);
    dialog.DestroyWindow();
}

TEST_F(FormTest, BackgroundIsGreyWithoutAColour)
{
    RecordingForm grey("grey", 0, 0, 60, 60);
    grey.Create();
    RecordingForm blue("blue", 100, 0, 60, 60);
    blue.SetBackColor(0x000080);
    blue.Create();
    Sync();
    EXPECT_EQ(PixelAt(grey.GetWindow(), 10, 10), 0xAAAAAAu);
    EXPECT_EQ(PixelAt(blue.GetWindow(), 10, 10), 0x000080u);
    grey.DestroyWindow();
    blue.DestroyWindow();
}

TEST_F(FormTest, WithoutAnApplicationNoWindowIsMade)
{
    Form orphan(0);
    orphan.Create();
    EXPECT_FALSE(orphan.IsCreated());
    EXPECT_EQ(orphan.GetWindow(), 0u);
    EXPECT_EQ(Log(), "E' necessario impostare il display\n");
}

struct LoadSeen {
    bool formLoading = false;
    bool created = true;
    int mapState = -1;
    int children = 0;
};
LoadSeen seen;

void ObserveLoad(GUIElement* element, uint64_t)
{
    auto* form = static_cast<Form*>(element);
    seen.formLoading = FormLoading;
    seen.created = form->IsCreated();
    seen.mapState = MapState(form->GetWindow());
    auto* control = new RecordingControl(form, "button", 5, 5, 20, 20);
    control->SetRepaint(true);
    control->Show();
}

TEST_F(FormTest, LoadHandlerRunsBeforeTheWindowIsMappedAndControlsPaintOnExpose)
{
    seen = LoadSeen{};
    RecordingForm form("load", 0, 0, 80, 80);
    form.SetLoadHandler(&ObserveLoad);
    form.Create();
    EXPECT_TRUE(seen.formLoading);
    EXPECT_FALSE(seen.created);
    EXPECT_EQ(seen.mapState, IsUnmapped);
    EXPECT_FALSE(FormLoading);
    EXPECT_EQ(form.GetUserDataRef(), form.GetId());

    Script script(&form);  // the first Expose repaints the control
    script.Run();
    EXPECT_TRUE(Called("load:Paint"));
    EXPECT_TRUE(Called("button:Paint"));
    for (GUIElement* element : ElementsOf(form.GetId()))
        if (element->GetType() == "testcontrol")
            delete element;
}

TEST_F(FormTest, TitleBeforeAndAfterCreation)
{
    RecordingForm form("first", 0, 0, 50, 50);
    form.SetTitle("stored only");
    EXPECT_EQ(form.GetText(), "stored only");
    form.Create();
    EXPECT_EQ(TextProperty(form.GetWindow(), XA_WM_NAME), "stored only");
    EXPECT_EQ(TextProperty(form.GetWindow(), XA_WM_ICON_NAME), "Bruvo.exe");
    const char renamed[] = "renamed window";
    form.SetTitleText(renamed, 7);
    EXPECT_EQ(TextProperty(form.GetWindow(), XA_WM_NAME), "renamed");
    EXPECT_EQ(TextProperty(form.GetWindow(), XA_WM_ICON_NAME), "renamed");
    form.DestroyWindow();
}

TEST_F(FormTest, CenterOnScreen)
{
    Application* app = App();
    RecordingForm form("c", 0, 0, 400, 300);
    form.CenterOnScreen();
    EXPECT_EQ(form.GetPosition(), PackPoint((app->GetScreenWidth() - 400) / 2, (app->GetScreenHeight() - 300) / 2));
    form.SetSize(app->GetScreenWidth() + 10, 300);
    form.CenterOnScreen();
    EXPECT_EQ(PointX(form.GetPosition()), 0) << "a form wider than the screen goes to the left edge";
}

TEST_F(FormTest, ShowHideAndShowMapped)
{
    RecordingForm form("s", 0, 0, 50, 50);
    form.Show();  // creates and maps
    Sync();
    EXPECT_EQ(MapState(form.GetWindow()), IsViewable);
    form.Hide();
    Sync();
    EXPECT_FALSE(form.IsVisible());
    EXPECT_EQ(MapState(form.GetWindow()), IsUnmapped);
    form.Show();
    Sync();
    EXPECT_EQ(MapState(form.GetWindow()), IsUnmapped) << "Show only raises";
    EXPECT_TRUE(form.IsVisible());
    form.ShowMapped();
    Sync();
    EXPECT_EQ(MapState(form.GetWindow()), IsViewable);
    form.DestroyWindow();
}

TEST_F(FormTest, PositionIsTheWindowsPlaceOnTheScreen)
{
    RecordingForm form("p", 70, 90, 50, 50);
    form.Create();
    Sync();
    // The border is outside the window: its inside starts one pixel further.
    EXPECT_EQ(form.GetPosition(), PackPoint(71, 91));
    form.SetPosition(200, 10);
    Sync();
    EXPECT_EQ(form.GetPosition(), PackPoint(201, 11));
    form.SetSize(60, 70);
    Sync();
    EXPECT_EQ(form.QueryHeight(), 70);
    form.DestroyWindow();
}

TEST_F(FormTest, DestroyWindowAndCreatingAgain)
{
    RecordingForm never("n", 0, 0, 50, 50);
    never.DestroyWindow();
    EXPECT_FALSE(never.IsCreated());
    EXPECT_EQ(Log(), "");

    RecordingForm form("d", 0, 0, 50, 50);
    form.Create();
    const Window first = form.GetWindow();
    RecordingControl control(&form, "c", 0, 0, 10, 10);
    FocusedElement = &control;
    form.DestroyWindow();
    EXPECT_EQ(FocusedElement, nullptr);
    EXPECT_EQ(form.GetWindow(), 0u);
    EXPECT_FALSE(form.IsCreated());
    EXPECT_EQ(FindFormByWindow(first), nullptr);
    form.Create();
    EXPECT_NE(form.GetWindow(), 0u);
    EXPECT_EQ(FindFormByWindow(form.GetWindow()), &form);
    form.DestroyWindow();
}

TEST_F(FormTest, FocusGoesToTheWindowOnceViewable)
{
    RecordingForm form("focus", 0, 0, 50, 50);
    form.Create();
    Sync();
    form.SetFocus();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(Dpy(), &focus, &revert);
    EXPECT_EQ(focus, form.GetWindow());
    form.Hide();
    form.SetFocus();  // not viewable: only the flag, no BadMatch
    EXPECT_TRUE(form.IsFocused());
    form.DestroyWindow();
}

TEST_F(FormTest, SetIconGivesTheWindowManagerNewHintsOnceCreated)
{
    RecordingForm form("icon", 0, 0, 50, 50);
    const Pixmap icon = XCreatePixmap(Dpy(), DefaultRootWindow(Dpy()), 16, 16, App()->GetDepth());
    form.SetIcon(icon);  // stored, used at creation
    form.Create();
    XWMHints* hints = XGetWMHints(Dpy(), form.GetWindow());
    ASSERT_NE(hints, nullptr);
    EXPECT_TRUE(hints->flags & IconPixmapHint);
    EXPECT_EQ(hints->icon_pixmap, icon);
    XFree(hints);
    form.SetIcon(0);
    hints = XGetWMHints(Dpy(), form.GetWindow());
    ASSERT_NE(hints, nullptr);
    EXPECT_EQ(hints->icon_pixmap, 0u);
    EXPECT_EQ(hints->flags & (InputHint | StateHint | IconPixmapHint), InputHint | StateHint | IconPixmapHint);
    XFree(hints);
    form.DestroyWindow();
    XFreePixmap(Dpy(), icon);
}

}  // namespace
