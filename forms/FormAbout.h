// FormAbout: the toolkit's "about" dialog, titled "Info...". A framed picture
// at the left and, beside it, a title line, a second line, a web address and a
// mail address that start the browser or the mail client when clicked, a
// bordered description and an "OK" button. It covers the form that opens it
// until OK, Enter, Escape or Delete closes it. The opener sets the texts, the
// address and the picture before the window is created, and owns the form.
// Its CloseHandler runs inside the dialog's own event, which goes on using
// the form afterwards: an opener deleting it from there (or from anything else
// the dialog's keys or clicks run) hands it to DeleteAfterEvent
// (app/EventLoop.h) instead of deleting it.
#pragma once

#include "forms/DialogForm.h"

#include <X11/Xlib.h>
#include <string>

class ButtonCustom;
class CellControl;
class MyImage;
class PanelChildren;

class FormAbout : public DialogForm {
public:
    // Covers mainForm (disabled until the dialog closes), centred over it.
    explicit FormAbout(Form* mainForm);
    ~FormAbout() override;

    // Read once when the window is created: set them before.
    void SetTitleLine(const std::string& textOfLine) { titleLine = textOfLine; }
    void SetSubtitleLine(const std::string& textOfLine) { subtitleLine = textOfLine; }
    void SetDescription(const std::string& textOfDescription) { description = textOfDescription; }
    // The mail address shown beside it is "info@" and the address without its
    // first 12 characters ("https://www.").
    void SetWebAddress(const std::string& address) { webAddress = address; }
    // Not owned: the picture must outlive the dialog.
    void SetPicture(XImage* image, int32_t imageWidth, int32_t imageHeight);

    void FormLoad() override;
    // Gives the main form back unless a later dialog covers it; always true.
    bool FormQueryClose() override;
    // Enter, Escape and Delete close the dialog, as a click on OK.
    bool FormKeyPress(char character) override;
    void ControlClick(GUIElement* control) override;
    // A click on the web or the mail address.
    virtual void LinkClick(GUIElement* control);

    // The text the mail cell shows for a web address; empty when the address
    // is too short to leave a domain.
    static std::string MailAddressFor(const std::string& address);

    // The form it covers: null once that form is deleted.
    Form* GetMainForm() const { return GetCoveredForm(); }
    PanelChildren* GetPicturePanel() const { return picturePanel; }
    MyImage* GetPictureImage() const { return pictureImage; }
    CellControl* GetTitleCell() const { return titleCell; }
    CellControl* GetSubtitleCell() const { return subtitleCell; }
    CellControl* GetWebCell() const { return webCell; }
    CellControl* GetMailCell() const { return mailCell; }
    CellControl* GetDescriptionCell() const { return descriptionCell; }
    ButtonCustom* GetOkButton() const { return okButton; }

private:
    CellControl* MakeCell(const std::string& cellText, int32_t cellX, int32_t cellY, int32_t cellWidth,
                          int32_t cellHeight);

    std::string titleLine;
    std::string subtitleLine;
    std::string description;
    std::string webAddress;
    XImage* picture = nullptr;
    int32_t pictureWidth = 0;   // pixels
    int32_t pictureHeight = 0;  // pixels
    PanelChildren* picturePanel = nullptr;
    MyImage* pictureImage = nullptr;
    CellControl* titleCell = nullptr;
    CellControl* subtitleCell = nullptr;
    CellControl* webCell = nullptr;
    CellControl* mailCell = nullptr;
    CellControl* descriptionCell = nullptr;
    ButtonCustom* okButton = nullptr;
};
