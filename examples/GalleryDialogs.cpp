#include "examples/GalleryDialogs.h"

#include "app/EventLoop.h"
#include "examples/GalleryForm.h"
#include "forms/FormAbout.h"
#include "forms/FormMsgBox.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/images/Picture.h"
#include "support/Log.h"

namespace {
constexpr int32_t kButtonWidth = 95;   // pixels
constexpr int32_t kButtonHeight = 30;  // pixels
constexpr int32_t kButtonGap = 7;      // pixels between two buttons
// The caller's numbers the message boxes hand back.
constexpr int kOkBoxKind = 1;
constexpr int kQuestionKind = 2;
}  // namespace

GalleryDialogs::GalleryDialogs(GalleryForm* form, int32_t x, int32_t y, XImage* image, int32_t side)
    : gallery(form), picture(image), pictureSide(side)
{
    struct Made {
        std::unique_ptr<ButtonCustom>& button;
        const char* caption;
        CommandElement::Command command;
    };
    const Made buttons[] = {
        {okBox, "OK box", &OnOkBox}, {question, "YES/NO box", &OnQuestion}, {aboutButton, "About...", &OnAbout}};
    for (const Made& made : buttons) {
        made.button = std::make_unique<ButtonCustom>(gallery, made.caption);
        made.button->SetPosition(x, y);
        made.button->SetSize(kButtonWidth, kButtonHeight);
        made.button->SetCommand(made.command);
        x += kButtonWidth + kButtonGap;
    }
}

// The about dialog goes before the buttons and the gallery it covers.
GalleryDialogs::~GalleryDialogs() = default;

void GalleryDialogs::Show()
{
    okBox->Show();
    question->Show();
    aboutButton->Show();
}

GalleryDialogs* GalleryDialogs::Of(GUIElement* element)
{
    return static_cast<GalleryForm*>(FormOf(element))->Dialogs();
}

void GalleryDialogs::OnOkBox(GUIElement* element, GUIElement*)
{
    MsgBox(kOkBoxKind, Of(element)->gallery, "The message box covers the gallery until you press OK.", "OK box");
}

void GalleryDialogs::OnQuestion(GUIElement* element, GUIElement*)
{
    MsgBoxYesNo(kQuestionKind, Of(element)->gallery, "Do you like the toolkit?", "YES/NO box");
}

void GalleryDialogs::OnAbout(GUIElement* element, GUIElement*)
{
    GalleryDialogs* dialogs = Of(element);
    // One about dialog at a time: an open one stays as it is.
    if (dialogs->about != nullptr && dialogs->about->IsCreated())
        return;
    // A closed one may be the form whose event is being handled: it goes
    // when that event is over (here and now when no event is).
    DeleteAfterEvent(dialogs->about.release());
    dialogs->about = std::make_unique<FormAbout>(dialogs->gallery);
    FormAbout* about = dialogs->about.get();
    about->SetTitleLine("Bruvo toolkit gallery");
    about->SetSubtitleLine("The about dialog of the toolkit");
    about->SetWebAddress("https://www.bruvo.example");
    about->SetDescription("OK, Enter, Escape or Delete closes it; the two addresses start the browser "
                          "and the mail client.");
    about->SetPicture(dialogs->picture, dialogs->pictureSide, dialogs->pictureSide);
    about->SetCloseHandler(&OnAboutClosed);
    about->Show();
}

void GalleryDialogs::OnAboutClosed(GUIElement* element)
{
    Of(static_cast<FormAbout*>(element)->GetMainForm())->Tell("About dialog closed");
}

std::string GalleryDialogs::Describe(int kind, int result)
{
    const char* box = kind == kOkBoxKind ? "OK box" : "YES/NO box";
    const char* answer = "closed";
    switch (result) {
    case MsgBoxOk:
        answer = "OK";
        break;
    case MsgBoxYes:
        answer = "YES";
        break;
    case MsgBoxNo:
        answer = "NO";
        break;
    default:
        break;
    }
    return std::string(box) + " answered " + std::to_string(result) + " (" + answer + ")";
}

void GalleryDialogs::OnDialogResult(int kind, int result)
{
    Tell(Describe(kind, result));
}

void GalleryDialogs::Tell(const std::string& line)
{
    gallery->Report(line);
    WriteLog(line);
}
