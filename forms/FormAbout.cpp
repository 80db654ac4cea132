#include "forms/FormAbout.h"

#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/PanelChildren.h"
#include "gui/images/MyImage.h"
#include "gui/images/Picture.h"
#include "services/DesktopCommands.h"

namespace {

constexpr int32_t kFormWidth = 600;             // pixels
constexpr int32_t kFormHeight = 210;            // pixels
constexpr int32_t kPanelLeft = 10;              // pixels
constexpr int32_t kPanelTop = 23;               // pixels
constexpr int32_t kPanelExtraWidth = 20;        // pixels around the picture
constexpr int32_t kPanelBottomSpace = 73;       // pixels of the form below the panel and above it
constexpr int32_t kPictureInset = 5;            // pixels, inside the panel
constexpr int32_t kColumnFromPicture = 45;      // pixels from the picture's width to the text column
constexpr int32_t kColumnSpace = 55;            // pixels of the form's width outside the column and the picture
constexpr int32_t kLineHeight = 25;             // pixels
constexpr int32_t kTitleTop = 17;               // pixels
constexpr int32_t kSubtitleTop = 38;            // pixels
constexpr int32_t kLinkTop = 68;                // pixels
constexpr int32_t kLinkHeight = 12;             // pixels
constexpr int32_t kWebWidth = 200;              // pixels
constexpr int32_t kMailFromPicture = 255;       // pixels from the picture's width to the mail address
constexpr int32_t kMailWidth = 150;             // pixels
constexpr int32_t kDescriptionTop = 95;         // pixels
constexpr int32_t kDescriptionBottomSpace = 145;  // pixels of the form's height outside the description
constexpr int32_t kButtonWidth = 80;            // pixels
constexpr int32_t kButtonHeight = 28;           // pixels
constexpr int32_t kButtonFromBottom = 37;       // pixels from the bottom edge to the button's top
constexpr int32_t kTitleColour = 0xFFFFFF;
constexpr int32_t kLinkColour = 0x0000FF;
constexpr int kAlignLeft = 0;
constexpr char kCarriageReturn = 13;
constexpr char kEscape = 27;
constexpr char kDelete = 127;
// The part of a web address left out of the mail domain: "https://www.".
constexpr size_t kWebPrefixLength = 12;        // characters
constexpr char kMailbox[] = "info@";

void OnLinkDown(GUIElement* element, uint64_t /*userData*/, uint64_t /*point*/)
{
    if (auto* about = dynamic_cast<FormAbout*>(FormOf(element)))
        about->LinkClick(element);
}

}  // namespace

FormAbout::FormAbout(Form* main)
    : DialogForm(main != nullptr ? main->GetOwner() : 0, true)
{
    SetTitle("Info...");
    SetSize(kFormWidth, kFormHeight);
    if (main != nullptr)
        SetApplication(main->GetApplication());
    Cover(main);
    CentreOverCovered();
}

FormAbout::~FormAbout()
{
    delete pictureImage;
    delete picturePanel;
    delete titleCell;
    delete subtitleCell;
    delete webCell;
    delete mailCell;
    delete descriptionCell;
    delete okButton;
}

void FormAbout::SetPicture(XImage* image, int32_t imageWidth, int32_t imageHeight)
{
    picture = image;
    pictureWidth = imageWidth;
    pictureHeight = imageHeight;
}

std::string FormAbout::MailAddressFor(const std::string& address)
{
    if (address.size() <= kWebPrefixLength)
        return std::string();
    return kMailbox + address.substr(kWebPrefixLength);
}

CellControl* FormAbout::MakeCell(const std::string& cellText, int32_t cellX, int32_t cellY, int32_t cellWidth,
                                 int32_t cellHeight)
{
    auto* cell = new CellControl(this);
    cell->SetText(cellText);
    cell->SetAlignment(kAlignLeft);
    cell->MoveTo(cellX, cellY);
    cell->SetSize(cellWidth, cellHeight);
    return cell;
}

void FormAbout::FormLoad()
{
    const int32_t formWidth = GetWidth();
    const int32_t formHeight = GetHeight();
    const int32_t column = pictureWidth + kColumnFromPicture;
    const int32_t columnWidth = formWidth - (pictureWidth + kColumnSpace);

    picturePanel = new PanelChildren(this);
    picturePanel->MoveTo(kPanelLeft, kPanelTop);
    picturePanel->SetSize(pictureWidth + kPanelExtraWidth, formHeight - kPanelBottomSpace);
    picturePanel->SetFrame(true);
    picturePanel->Show();

    pictureImage = new MyImage(picturePanel, picture);
    pictureImage->MoveTo(kPictureInset, kPictureInset);
    pictureImage->SetSize(pictureWidth, pictureHeight);
    pictureImage->Show();

    titleCell = MakeCell(titleLine, column, kTitleTop, columnWidth, kLineHeight);
    titleCell->SetTextColor(kTitleColour);
    titleCell->Show();

    subtitleCell = MakeCell(subtitleLine, column, kSubtitleTop, columnWidth, kLineHeight);
    subtitleCell->Show();

    webCell = MakeCell(webAddress, column, kLinkTop, kWebWidth, kLinkHeight);
    webCell->SetTextColor(kLinkColour);
    webCell->SetMouseDownHandler(&OnLinkDown);
    webCell->Show();

    mailCell = MakeCell(MailAddressFor(webAddress), pictureWidth + kMailFromPicture, kLinkTop, kMailWidth,
                        kLinkHeight);
    mailCell->SetTextColor(kLinkColour);
    mailCell->SetMouseDownHandler(&OnLinkDown);
    mailCell->Show();

    descriptionCell = MakeCell(description, column, kDescriptionTop, columnWidth,
                               formHeight - kDescriptionBottomSpace);
    descriptionCell->SetBorder(true);
    descriptionCell->Show();

    okButton = new ButtonCustom(this, "OK");
    okButton->SetSize(kButtonWidth, kButtonHeight);
    okButton->MoveTo(column + columnWidth / 2 - okButton->GetWidth() / 2, formHeight - kButtonFromBottom);
    okButton->SetCommand(&ForwardClick);
    okButton->Show();
}

bool FormAbout::FormQueryClose()
{
    FormSpare2();
    Uncover();
    return true;
}

bool FormAbout::FormKeyPress(char character)
{
    if (character == kCarriageReturn || character == kEscape || character == kDelete) {
        if (okButton != nullptr)
            ControlClick(okButton);
        return false;
    }
    return true;
}

void FormAbout::ControlClick(GUIElement* control)
{
    // Once closed, nothing: Return on the focused OK closes the dialog through
    // the button and then reaches the form's own KeyPress.
    if (!created || !SameControl(control, okButton) || !FormQueryClose())
        return;
    DestroyWindow();
    Close();
}

void FormAbout::LinkClick(GUIElement* control)
{
    if (SameControl(control, webCell)) {
        OpenBrowser(webAddress);
    } else if (SameControl(control, mailCell)) {
        // A web address too short for a domain leaves nothing to write to.
        const std::string address = mailCell->GetText();
        if (!address.empty())
            OpenMailClient(address);
    }
}
