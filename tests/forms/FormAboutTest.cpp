// The about dialog over a main form: its layout as the server shows it, its
// links starting stand-ins for the browser and the mail client, its keys.
#include "tests/gui/GuiTestSupport.h"

#include "forms/FormAbout.h"
#include "forms/FormMsgBox.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/PanelChildren.h"
#include "gui/images/MyImage.h"
#include "gui/images/Picture.h"
#include "services/ChildProcess.h"
#include "tests/common/FakePrograms.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <functional>
#include <memory>

using namespace guitest;

namespace {

constexpr int kPictureWidth = 100;   // pixels
constexpr int kPictureHeight = 60;   // pixels
constexpr uint32_t kPictureColour = 0x20C040;

uint32_t PixelAt(Form* form, int px, int py)
{
    return xtest::PixelAt(form->GetWindow(), px, py);
}

// What the opener button of a test does.
std::function<void()> openerCommand;

void RunOpenerCommand(GUIElement* /*element*/, GUIElement* /*argument*/)
{
    openerCommand();
}

int closes = 0;

void CountClose(GUIElement* /*element*/)
{
    ++closes;
}

// What the close handler of a test does besides counting.
std::function<void()> closeAction;

void CountAndAct(GUIElement* element)
{
    CountClose(element);
    closeAction();
}

class FormAboutTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        main = std::make_unique<RecordingForm>("main", 0, 0, 800, 400);
        main->Create();
        std::vector<unsigned char> rgb(kPictureWidth * kPictureHeight * 3);
        for (size_t i = 0; i < rgb.size(); i += 3) {
            rgb[i] = (kPictureColour >> 16) & 0xFF;
            rgb[i + 1] = (kPictureColour >> 8) & 0xFF;
            rgb[i + 2] = kPictureColour & 0xFF;
        }
        picture = CreateImageFromRgb(main.get(), rgb.data(), kPictureWidth, kPictureHeight, rgb.size());
        ASSERT_NE(picture, nullptr);
    }
    void TearDown() override
    {
        about.reset();  // the opener deletes its dialog before itself
        DestroyImage(picture);
        main.reset();
        ReapChildren();
        GuiTest::TearDown();
    }
    FormAbout* Make(const std::string& webAddress)
    {
        about = std::make_unique<FormAbout>(main.get());
        about->SetTitleLine("Bruvo Stage Krodel");
        about->SetSubtitleLine("A platform game");
        about->SetDescription("Walk, jump and collect the coins.");
        about->SetWebAddress(webAddress);
        about->SetPicture(picture, kPictureWidth, kPictureHeight);
        return about.get();
    }
    // Opens the dialog and gives its window the keyboard, as a window manager would.
    void Open(Script& script)
    {
        script.Then([this] { about->Show(); Sync(); about->SetFocus(); });
    }
    void ClickAt(Script& script, int px, int py)
    {
        script.Then([this, px, py] { MovePointer(about.get(), px, py); });
        script.Then([] { Button(1, true); Button(1, false); });
    }

    std::unique_ptr<RecordingForm> main;
    std::unique_ptr<FormAbout> about;
    XImage* picture = nullptr;
};

TEST_F(FormAboutTest, TheDialogCoversItsFormAndLaysOutItsControlsBesideThePicture)
{
    FormAbout* dialog = Make("https://www.bruvo.example");
    EXPECT_FALSE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), dialog);
    EXPECT_TRUE(dialog->IsDialog());
    dialog->Show();
    Sync();

    Window root = 0;
    int wx = 0, wy = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    ASSERT_TRUE(XGetGeometry(Dpy(), dialog->GetWindow(), &root, &wx, &wy, &w, &h, &border, &depth));
    EXPECT_EQ(w, 600u);
    EXPECT_EQ(h, 210u);
    const uint64_t under = main->GetPosition();
    EXPECT_EQ(wx, PointX(under) + (800 - 600) / 2);
    EXPECT_EQ(wy, PointY(under) + (400 - 210) / 2);
    char* title = nullptr;
    ASSERT_TRUE(XFetchName(Dpy(), dialog->GetWindow(), &title));
    EXPECT_STREQ(title, "Info...");
    XFree(title);
    Window transientFor = 0;
    ASSERT_TRUE(XGetTransientForHint(Dpy(), dialog->GetWindow(), &transientFor));
    EXPECT_EQ(transientFor, main->GetWindow());

    PanelChildren* panel = dialog->GetPicturePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetPosition(), PackPoint(10, 23));
    EXPECT_EQ(panel->GetSize(), PackPoint(120, 137));
    EXPECT_TRUE(panel->HasFrame());
    ASSERT_NE(dialog->GetPictureImage(), nullptr);
    EXPECT_EQ(dialog->GetPictureImage()->GetParent(), panel);
    EXPECT_EQ(dialog->GetPictureImage()->GetPosition(), PackPoint(5, 5));
    EXPECT_EQ(dialog->GetPictureImage()->GetSize(), PackPoint(kPictureWidth, kPictureHeight));

    // A 100-pixel picture: the text column starts at 145 and is 445 wide.
    struct Expected {
        CellControl* cell;
        int x, y, w, h;
        const char* text;
    };
    const Expected cells[] = {
        {dialog->GetTitleCell(), 145, 17, 445, 25, "Bruvo Stage Krodel"},
        {dialog->GetSubtitleCell(), 145, 38, 445, 25, "A platform game"},
        {dialog->GetWebCell(), 145, 68, 200, 12, "https://www.bruvo.example"},
        {dialog->GetMailCell(), 355, 68, 150, 12, "info@bruvo.example"},
        {dialog->GetDescriptionCell(), 145, 95, 445, 65, "Walk, jump and collect the coins."},
    };
    for (const Expected& expected : cells) {
        ASSERT_NE(expected.cell, nullptr);
        EXPECT_EQ(expected.cell->GetPosition(), PackPoint(expected.x, expected.y)) << expected.text;
        EXPECT_EQ(expected.cell->GetSize(), PackPoint(expected.w, expected.h)) << expected.text;
        EXPECT_EQ(expected.cell->GetText(), expected.text);
        EXPECT_EQ(expected.cell->GetAlignment(), 0) << expected.text;
    }
    ButtonCustom* ok = dialog->GetOkButton();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetPosition(), PackPoint(327, 173));
    EXPECT_EQ(ok->GetSize(), PackPoint(80, 28));
    EXPECT_EQ(ok->GetText(), "OK");

    // What the server shows after the first expose.
    uint32_t inPicture = 0, frameTop = 0, frameRight = 0, descriptionTop = 0;
    Script script(main.get());
    script.Then([] {});
    script.Then([&] {
        inPicture = PixelAt(dialog, 10 + 5 + 50, 23 + 5 + 30);
        frameTop = PixelAt(dialog, 60, 23);
        frameRight = PixelAt(dialog, 10 + 120 - 1, 100);
        descriptionTop = PixelAt(dialog, 300, 95);
    });
    script.Run();
    EXPECT_EQ(inPicture, kPictureColour);
    EXPECT_EQ(frameTop, 0x000000u) << "a sunken frame: black at the top";
    EXPECT_EQ(frameRight, 0xFFFFFFu) << "and white at the right";
    EXPECT_EQ(descriptionTop, 0x000000u) << "the description's border";
}

TEST_F(FormAboutTest, TheLinksStartTheBrowserAndTheMailClientAndLeaveTheDialogOpen)
{
    FakePrograms programs(folder, {"firefox", "thunderbird"});
    Make("https://www.bruvo.example/play");
    bool openAfterClicks = false;
    Script script(main.get());
    Open(script);
    ClickAt(script, 150, 72);
    ClickAt(script, 360, 72);
    script.Then([&] { openAfterClicks = about->IsCreated() && !about->IsClosed(); });
    script.Run();
    ASSERT_TRUE(programs.WaitForRun("firefox"));
    ASSERT_TRUE(programs.WaitForRun("thunderbird"));
    EXPECT_EQ(programs.Arguments("firefox"), "[https://www.bruvo.example/play]\n");
    EXPECT_EQ(programs.Arguments("thunderbird"), "[-compose]\n[to=info@bruvo.example/play]\n");
    EXPECT_TRUE(openAfterClicks);
    EXPECT_FALSE(main->IsEnabled());
}

TEST_F(FormAboutTest, EnterEscapeAndDeleteCloseTheDialogAndGiveTheMainFormItsKeysBack)
{
    for (KeySym key : {XK_Return, XK_Escape, XK_Delete}) {
        SCOPED_TRACE(XKeysymToString(key));
        main->Create();  // the loop's end destroyed the window of the round before
        Make("https://www.bruvo.example");
        Calls().clear();
        Script script(main.get());
        Open(script);
        script.Then([this] {
            main->SetFocus();
            Tap(XK_g);  // covered: not heard
        });
        script.Then([this, key] {
            about->SetFocus();
            Tap(key);
        });
        script.Then([this] {
            EXPECT_FALSE(about->IsCreated());
            EXPECT_EQ(about->GetWindow(), 0u);
            EXPECT_TRUE(about->IsClosed());
            EXPECT_TRUE(main->IsEnabled());
            EXPECT_EQ(main->GetActiveDialog(), nullptr);
            EXPECT_EQ(CountOf("main:KeyDown " + std::to_string(XK_g)), 0);
            main->SetFocus();
            Tap(XK_g);
        });
        script.Run();
        EXPECT_EQ(CountOf("main:KeyDown " + std::to_string(XK_g)), 1);
        about.reset();
    }
}

TEST_F(FormAboutTest, TheOkButtonClosesTheDialogAndOtherKeysDoNot)
{
    Make("https://www.bruvo.example");
    bool openAfterKeys = false;
    Script script(main.get());
    Open(script);
    script.Then([] { Tap(XK_a); Tap(XK_space); });
    script.Then([&] { openAfterKeys = about->IsCreated(); });
    ClickAt(script, 367, 187);
    script.Run();
    EXPECT_TRUE(openAfterKeys);
    EXPECT_TRUE(about->IsClosed());
    EXPECT_TRUE(main->IsEnabled());
}

TEST_F(FormAboutTest, AShortWebAddressLeavesTheMailCellEmptyAndItsClickStartsNothing)
{
    EXPECT_EQ(FormAbout::MailAddressFor(""), "");
    EXPECT_EQ(FormAbout::MailAddressFor("http://a.b"), "");
    EXPECT_EQ(FormAbout::MailAddressFor("https://www."), "");
    EXPECT_EQ(FormAbout::MailAddressFor("https://www.x"), "info@x");

    FakePrograms programs(folder, {"firefox", "thunderbird"});
    Make("http://a.b");
    about->Show();
    EXPECT_EQ(about->GetMailCell()->GetText(), "");
    about->LinkClick(about->GetMailCell());
    about->LinkClick(about->GetWebCell());
    ASSERT_TRUE(programs.WaitForRun("firefox"));
    EXPECT_EQ(programs.Arguments("firefox"), "[http://a.b]\n");
    EXPECT_FALSE(programs.WaitForRun("thunderbird", 500));
}

TEST_F(FormAboutTest, AddressesThatWouldBeOptionsOrAddComposeFieldsStartNothing)
{
    FakePrograms programs(folder, {"firefox", "thunderbird"});
    Make("-https://www.x,subject=hi");
    about->Show();
    EXPECT_EQ(about->GetMailCell()->GetText(), "info@.x,subject=hi");
    about->LinkClick(about->GetWebCell());
    about->LinkClick(about->GetMailCell());
    EXPECT_FALSE(programs.WaitForRun("firefox", 500));
    EXPECT_FALSE(programs.WaitForRun("thunderbird", 500));
    EXPECT_NE(Log().find("OpenBrowser: indirizzo rifiutato \"-https://www.x,subject=hi\""), std::string::npos)
        << Log();
    EXPECT_NE(Log().find("OpenMailClient: indirizzo rifiutato \"info@.x,subject=hi\""), std::string::npos);
}

TEST_F(FormAboutTest, DeletedWhileOpenItGivesTheMainFormBackAndWithoutOneNothingIsCovered)
{
    Make("https://www.bruvo.example");
    about->Show();
    about.reset();
    EXPECT_TRUE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), nullptr);

    FormAbout alone(nullptr);
    EXPECT_EQ(alone.GetMainForm(), nullptr);
    alone.Show();
    EXPECT_FALSE(alone.IsCreated()) << "no form, no display to open it on";
    EXPECT_NE(Log().find("E' necessario impostare il display"), std::string::npos);
    EXPECT_TRUE(alone.FormQueryClose());
    EXPECT_TRUE(main->IsEnabled());
}

TEST_F(FormAboutTest, TheButtonThatOpenedTheDialogLosesTheFocusAndReturnOnlyClosesTheDialog)
{
    // The opener replaces its dialog, as a careless one would: Return in the
    // dialog must not reach it.
    int opened = 0;
    openerCommand = [&] {
        ++opened;
        Make("https://www.bruvo.example")->SetCloseHandler(&CountClose);
        about->Show();
    };
    closes = 0;
    ButtonCustom opener(main.get(), "About");
    opener.MoveTo(10, 10);
    opener.SetSize(80, 28);
    opener.SetCommand(&RunOpenerCommand);
    opener.Show();
    GUIElement* focusAfterOpening = &opener;
    Script script(main.get());
    script.Then([this] { MovePointer(main.get(), 50, 24); });
    script.Then([] { Button(1, true); Button(1, false); });
    script.Then([&] {
        focusAfterOpening = FocusedElement;
        about->SetFocus();
    });
    script.Then([] { Tap(XK_Return); });
    script.Run();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(focusAfterOpening, nullptr);
    EXPECT_FALSE(opener.IsFocused());
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(main->IsEnabled());
    openerCommand = nullptr;
}

TEST_F(FormAboutTest, ReturnOnTheFocusedOkButtonClosesTheDialogOnce)
{
    closes = 0;
    Make("https://www.bruvo.example")->SetCloseHandler(&CountClose);
    GUIElement* focusAfterTab = nullptr;
    Script script(main.get());
    Open(script);
    script.Then([] { Tap(XK_Tab); });
    script.Then([&] {
        focusAfterTab = FocusedElement;
        Tap(XK_Return);
    });
    script.Run();
    EXPECT_EQ(focusAfterTab, about->GetOkButton());
    EXPECT_TRUE(about->IsClosed());
    EXPECT_EQ(closes, 1);
}

TEST_F(FormAboutTest, AMainFormDeletedFirstLeavesTheDialogNothingToGiveBack)
{
    closes = 0;
    Make("https://www.bruvo.example")->SetCloseHandler(&CountClose);
    about->Show();
    main.reset();
    EXPECT_EQ(about->GetMainForm(), nullptr);
    about->ControlClick(about->GetOkButton());
    EXPECT_TRUE(about->IsClosed());
    EXPECT_EQ(closes, 1);
    about.reset();  // its destructor must not reach the deleted form either
}

TEST_F(FormAboutTest, ClosingLeavesTheMainFormToAMessageBoxOpenedOverItLater)
{
    Make("https://www.bruvo.example");
    about->Show();
    FormMsgBox* box = MsgBox(1, main.get(), "Still here", "Note");
    about->ControlClick(about->GetOkButton());
    EXPECT_TRUE(about->IsClosed());
    EXPECT_FALSE(main->IsEnabled()) << "the box still covers it";
    EXPECT_EQ(main->GetActiveDialog(), box);
    box->ControlClick(box->GetOkButton());
    EXPECT_TRUE(main->IsEnabled());
    EXPECT_EQ(main->GetActiveDialog(), nullptr);
    delete ActiveMessageBox;
}

TEST_F(FormAboutTest, AnOpenerMayRetireTheDialogFromItsCloseHandlerThroughDeleteAfterEvent)
{
    closes = 0;
    closeAction = [this] { DeleteAfterEvent(about.release()); };
    Make("https://www.bruvo.example")->SetCloseHandler(&CountAndAct);
    size_t formsAfter = 0;
    Script script(main.get());
    Open(script);
    script.Then([] { Tap(XK_Escape); });
    script.Then([&] { formsAfter = FormList.size(); });
    script.Run();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(formsAfter, 1u) << "deleted once the key was handled";
    EXPECT_TRUE(main->IsEnabled());
    closeAction = nullptr;
}

}  // namespace
