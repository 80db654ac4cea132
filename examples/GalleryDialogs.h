// GalleryDialogs: the gallery's dialog corner. Three buttons open an OK
// message box, a YES/NO message box and the about dialog over the gallery;
// what each dialog answers goes to the gallery's report label and to the log.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <memory>
#include <string>

class ButtonCustom;
class FormAbout;
class GalleryForm;
class GUIElement;

class GalleryDialogs {
public:
    // The buttons stand in a row from (x, y) of the gallery; picture (not
    // owned) is the about dialog's.
    GalleryDialogs(GalleryForm* gallery, int32_t x, int32_t y, XImage* picture, int32_t pictureSide);
    ~GalleryDialogs();

    void Show();
    // A message box's answer, handed on by the gallery's OnDialogResult.
    void OnDialogResult(int kind, int result);

private:
    // What the report says for a message box's answer.
    static std::string Describe(int kind, int result);
    static GalleryDialogs* Of(GUIElement* element);
    static void OnOkBox(GUIElement* element, GUIElement* argument);
    static void OnQuestion(GUIElement* element, GUIElement* argument);
    static void OnAbout(GUIElement* element, GUIElement* argument);
    static void OnAboutClosed(GUIElement* element);
    void Tell(const std::string& line);

    GalleryForm* gallery;
    XImage* picture;
    int32_t pictureSide;  // pixels
    std::unique_ptr<ButtonCustom> okBox;
    std::unique_ptr<ButtonCustom> question;
    std::unique_ptr<ButtonCustom> aboutButton;
    std::unique_ptr<FormAbout> about;
};
