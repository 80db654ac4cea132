// The element model and the registries, without windows.
#include "GuiTestSupport.h"

#include <memory>

using namespace guitest;

namespace {

class ElementTest : public GuiTest {};

// A control with hooks that count, for the operations that end in them.
class HookedControl : public RecordingControl {
public:
    using RecordingControl::RecordingControl;
    void OnResized() override { Record(label, "OnResized"); }
    void OnMoved() override { Record(label, "OnMoved"); }
};

std::vector<std::string> handlerCalls;

void OnLoad(GUIElement*, uint64_t data) { handlerCalls.push_back("load " + std::to_string(data)); }
void OnClick(GUIElement*, uint64_t, uint64_t) { handlerCalls.push_back("click"); }
void OnDouble(GUIElement*, uint64_t, uint64_t) { handlerCalls.push_back("double"); }
void OnChange(GUIElement*) { handlerCalls.push_back("change"); }
bool Refuse(GUIElement*, char) { return false; }
bool KeepOpen(GUIElement*) { return false; }

TEST_F(ElementTest, DefaultsOfANewElement)
{
    RecordingControl control(nullptr, "c", 100, 100, 100, 50);
    EXPECT_EQ(control.GetWidth(), 100);
    EXPECT_EQ(control.GetHeight(), 50);
    EXPECT_EQ(control.GetPosition(), PackPoint(100, 100));
    EXPECT_EQ(control.GetBackColor(), -1);
    EXPECT_TRUE(control.IsEnabled());
    EXPECT_TRUE(control.IsTabStop());
    EXPECT_FALSE(control.IsVisible());
    EXPECT_FALSE(control.IsCreated());
    EXPECT_TRUE(control.IsChild());
    EXPECT_EQ(control.GetId(), 0u);
    EXPECT_EQ(control.GetFont().BuildFontName(), "-*-*-Medium-R-Normal--14-*");
    ASSERT_EQ(AllElements.size(), 1u);
    EXPECT_EQ(AllElements[0], &control);
}

TEST_F(ElementTest, SetSizeCallsOnResizedOnlyForAChange)
{
    HookedControl control(nullptr, "c", 0, 0, 100, 50);
    control.Create();
    control.SetSize(100, 50);
    EXPECT_EQ(CountOf("c:OnResized"), 0);
    control.SetSize(100, 60);
    EXPECT_EQ(CountOf("c:OnResized"), 1);
    EXPECT_EQ(control.GetSize(), PackPoint(100, 60));
}

TEST_F(ElementTest, MoveToClampsNegativeCoordinates)
{
    HookedControl control(nullptr, "c", 0, 0, 10, 10);
    control.MoveTo(-5, 7);
    EXPECT_EQ(control.GetPosition(), PackPoint(0, 7));
    EXPECT_EQ(CountOf("c:OnMoved"), 0) << "not created: no hook";
    control.Create();
    control.MoveToPoint(PackPoint(3, -4));
    EXPECT_EQ(control.GetPosition(), PackPoint(3, -4)) << "MoveToPoint does not clamp";
    EXPECT_EQ(CountOf("c:OnMoved"), 1);
}

TEST_F(ElementTest, HitTestIncludesAllFourEdges)
{
    RecordingControl control(nullptr, "c", 10, 20, 30, 40);
    EXPECT_FALSE(control.HitTest(PackPoint(15, 25))) << "not created";
    control.Show();
    EXPECT_TRUE(control.HitTest(PackPoint(10, 20)));
    EXPECT_TRUE(control.HitTest(PackPoint(40, 60)));
    EXPECT_FALSE(control.HitTest(PackPoint(41, 60)));
    EXPECT_FALSE(control.HitTest(PackPoint(40, 61)));
    EXPECT_FALSE(control.HitTest(PackPoint(9, 20)));
    control.Hide();
    EXPECT_FALSE(control.HitTest(PackPoint(15, 25))) << "hidden";
}

TEST_F(ElementTest, UnsetQueryHandlersAnswerTrue)
{
    RecordingControl control(nullptr, "c", 0, 0, 10, 10);
    EXPECT_TRUE(control.GUIElement::KeyPress('a'));
    EXPECT_TRUE(control.QueryClose());
    control.SetKeyPressHandler(&Refuse);
    control.SetQueryCloseHandler(&KeepOpen);
    EXPECT_FALSE(control.GUIElement::KeyPress('a'));
    EXPECT_FALSE(control.QueryClose());
    EXPECT_EQ(control.SpareEvent1(), 0);
}

TEST_F(ElementTest, LoadHandlerRunsOnceAndOnlyWhenSetBeforeTheFirstLoad)
{
    handlerCalls.clear();
    RecordingControl first(nullptr, "a", 0, 0, 10, 10);
    first.SetLoadHandler(&OnLoad);
    first.Load(7);
    first.Load(8);
    EXPECT_EQ(handlerCalls, std::vector<std::string>{"load 7"});
    EXPECT_EQ(first.GetUserDataRef(), 7u);

    RecordingControl late(nullptr, "b", 0, 0, 10, 10);
    late.Load(3);
    late.SetLoadHandler(&OnLoad);
    late.Load(4);
    EXPECT_EQ(handlerCalls.size(), 1u);
}

TEST_F(ElementTest, ClicksInTheSameSecondAreDoubleClicks)
{
    handlerCalls.clear();
    RecordingControl control(nullptr, "c", 0, 0, 10, 10);
    control.SetClickHandler(&OnClick);
    control.SetDoubleClickHandler(&OnDouble);
    // Wait for a fresh second so construction and both clicks share it.
    const time_t start = time(nullptr);
    while (time(nullptr) == start) {
    }
    RecordingControl fresh(nullptr, "f", 0, 0, 10, 10);
    fresh.SetDoubleClickHandler(&OnDouble);
    fresh.GUIElement::Click(0);
    EXPECT_EQ(handlerCalls, std::vector<std::string>{"double"}) << "same second as construction";

    handlerCalls.clear();
    control.GUIElement::Click(0);
    control.GUIElement::Click(0);
    EXPECT_EQ(handlerCalls, (std::vector<std::string>{"click", "click", "double"}))
        << "constructed a second earlier: only the second click is a double click";
}

TEST_F(ElementTest, ChangeHandlerRunsOnlyWhenTheValueChanged)
{
    handlerCalls.clear();
    RecordingControl control(nullptr, "c", 0, 0, 10, 10);
    control.SetChangeHandler(&OnChange);
    control.SetText("abc");
    control.GUIElement::GotFocus();
    EXPECT_TRUE(control.IsFocused());
    control.GUIElement::LostFocus();
    EXPECT_TRUE(handlerCalls.empty());
    EXPECT_FALSE(control.IsFocused());
    control.GUIElement::GotFocus();
    control.SetText("abcd");
    control.GUIElement::LostFocus();
    EXPECT_EQ(handlerCalls, std::vector<std::string>{"change"});
}

TEST_F(ElementTest, PairFlagsExcludeEachOther)
{
    RecordingControl control(nullptr, "c", 0, 0, 10, 10);
    control.SetPairFlagFirst(true);
    control.SetPairFlagSecond(true);
    EXPECT_FALSE(control.GetPairFlagFirst());
    EXPECT_TRUE(control.GetPairFlagSecond());
    control.SetPairFlagFirst(false);
    EXPECT_TRUE(control.GetPairFlagSecond()) << "clearing one leaves the other";
}

TEST_F(ElementTest, FirstFormCreatedGetsIdentifierOneAndItsUserData)
{
    NextElementId = 0;
    RecordingForm form("f", 10, 10, 50, 40);
    form.GetUserDataRef() = 42;
    form.Create();
    EXPECT_EQ(form.GetId(), 1u);
    EXPECT_EQ(form.GetUserDataRef(), 1u);
    RecordingControl control(&form, "c", 0, 0, 10, 10);
    control.Create();
    EXPECT_EQ(control.GetId(), 2u);
    form.DestroyWindow();
}

TEST_F(ElementTest, ElementsOfListsPanelContentsRightAfterThePanel)
{
    RecordingForm form("f", 0, 0, 100, 100);
    form.Create();
    RecordingControl a(&form, "a", 0, 0, 10, 10);
    RecordingControl panel(&form, "p", 50, 50, 40, 40);
    panel.SetType("panel");
    RecordingControl b(&form, "b", 0, 0, 10, 10);
    RecordingControl inner(&panel, "i", 0, 0, 10, 10);
    RecordingControl elsewhere(nullptr, "x", 0, 0, 10, 10);
    panel.Create();
    const std::vector<GUIElement*> expected{&a, &panel, &inner, &b};
    EXPECT_EQ(ElementsOf(form.GetId()), expected);
    EXPECT_EQ(ElementsOf(panel.GetId()), std::vector<GUIElement*>{&inner});
    form.DestroyWindow();
}

TEST_F(ElementTest, FindElementAtSkipsDisabledAndHiddenAndLooksInsidePanels)
{
    RecordingForm form("f", 0, 0, 200, 200);
    form.Create();
    RecordingControl hidden(&form, "h", 0, 0, 50, 50);
    RecordingControl disabled(&form, "d", 0, 0, 50, 50);
    RecordingControl below(&form, "b", 0, 0, 50, 50);
    RecordingControl panel(&form, "p", 100, 100, 80, 80);
    panel.SetType("panel");
    RecordingControl inner(&panel, "i", 10, 10, 20, 20);
    for (RecordingControl* control : {&hidden, &disabled, &below, &panel, &inner})
        control->Show();
    hidden.Hide();
    disabled.SetEnabled(false);
    EXPECT_EQ(FindElementAt(form.GetId(), PackPoint(5, 5)), &below);
    EXPECT_EQ(FindElementAt(form.GetId(), PackPoint(115, 115)), &inner) << "point shifted by the panel";
    EXPECT_EQ(FindElementAt(form.GetId(), PackPoint(170, 170)), nullptr) << "a panel is never returned";
    EXPECT_EQ(FindElementAt(form.GetId(), PackPoint(15, 15)), &below);
    EXPECT_EQ(FindElementById(inner.GetId()), &inner);
    EXPECT_EQ(FindElementById(9999), nullptr);
    form.DestroyWindow();
}

TEST_F(ElementTest, RegistryMessagesForElementsThatAreNotRegistered)
{
    {
        auto control = std::make_unique<RecordingControl>(nullptr, "c", 0, 0, 10, 10);
        control->Create();
        RemoveWinForm(control.get());
        EXPECT_TRUE(AllElements.empty());
    }  // the destructor removes it a second time
    const std::string log = Log();
    EXPECT_NE(log.find(" NON TROVATO! Application::RemoveWinForm = testcontrol size 0 id "), std::string::npos)
        << log;

    auto timer = std::make_unique<Timer>(nullptr, 10);
    RemoveWindow(timer.get());
    RemoveWindow(timer.get());
    EXPECT_NE(Log().find(" NON TROVATO! Application::RemoveWindow = timer lx 0 id 0\n"), std::string::npos)
        << Log();
    timer.reset();
}

TEST_F(ElementTest, RegisterTimerTakesOnlyTimers)
{
    RecordingControl control(nullptr, "c", 0, 0, 10, 10);
    RegisterTimer(&control);
    EXPECT_TRUE(TimerList.empty());
    Timer timer(nullptr, 10);
    ASSERT_EQ(TimerList.size(), 1u);
    EXPECT_EQ(TimerList[0], &timer);
}

TEST_F(ElementTest, UnregisterTreeTakesOutEveryElementOfAForm)
{
    RecordingForm form("f", 0, 0, 100, 100);
    form.Create();
    auto panel = std::make_unique<RecordingControl>(&form, "p", 0, 0, 50, 50);
    panel->SetType("panel");
    panel->Create();
    auto inner = std::make_unique<RecordingControl>(panel.get(), "i", 0, 0, 10, 10);
    auto button = std::make_unique<RecordingControl>(&form, "b", 0, 0, 10, 10);
    UnregisterTree(form.GetId());
    ASSERT_EQ(AllElements.size(), 1u);
    EXPECT_EQ(AllElements[0], &form);
    EXPECT_EQ(Log(), "") << "nothing removed twice";
    inner.reset();
    panel.reset();
    button.reset();
    form.DestroyWindow();
}

TEST_F(ElementTest, ChildFindsItsFormAndFormPointsThroughPanels)
{
    RecordingForm form("f", 0, 0, 100, 100);
    RecordingControl panel(&form, "p", 20, 30, 60, 60);
    panel.SetType("panel");
    RecordingControl inner(&panel, "i", 5, 5, 10, 10);
    EXPECT_EQ(inner.GetForm(), &form);
    EXPECT_EQ(inner.ToFormPoint(5, 5), PackPoint(25, 35));
    EXPECT_EQ(panel.ToFormPoint(20, 30), PackPoint(20, 30));
    RecordingControl orphan(nullptr, "o", 0, 0, 1, 1);
    EXPECT_EQ(orphan.GetForm(), nullptr);
}

TEST_F(ElementTest, DestroyingTheFocusedElementClearsTheFocus)
{
    auto control = std::make_unique<RecordingControl>(nullptr, "c", 0, 0, 10, 10);
    FocusedElement = control.get();
    control.reset();
    EXPECT_EQ(FocusedElement, nullptr);
}

// Any order of destruction leaves no element pointing at a freed one; the
// sanitizer build turns a dangling parent or registry entry into a failure.
TEST_F(ElementTest, FormsAndControlsDestroyedInAnyOrder)
{
    auto form = std::make_unique<RecordingForm>("f", 0, 0, 100, 100);
    form->Create();
    auto panel = std::make_unique<RecordingControl>(form.get(), "p", 0, 0, 50, 50);
    panel->SetType("panel");
    panel->Show();
    auto inner = std::make_unique<RecordingControl>(panel.get(), "i", 1, 1, 10, 10);
    inner->Show();
    auto timer = std::make_unique<Timer>(form.get(), 0);
    timer->Start();
    auto other = std::make_unique<RecordingForm>("g", 0, 0, 100, 100);
    other->Create();
    FocusedElement = inner.get();

    panel.reset();  // the container goes before what it contains
    EXPECT_EQ(inner->GetParent(), nullptr);
    EXPECT_EQ(ElementsOf(form->GetId()), std::vector<GUIElement*>{timer.get()});
    EXPECT_EQ(FindElementAt(form->GetId(), PackPoint(2, 2)), nullptr);
    form.reset();  // the form before its timer
    EXPECT_EQ(timer->GetParent(), nullptr);
    TickAll(10);
    EXPECT_EQ(FindFormByWindow(other->GetWindow()), other.get());
    timer.reset();
    inner.reset();
    EXPECT_EQ(FocusedElement, nullptr);
    other.reset();
    EXPECT_EQ(Log(), "");
}

}  // namespace
