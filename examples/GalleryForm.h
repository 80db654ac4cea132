// GalleryForm: one window showing every control of the toolkit, each made the
// way a program built on the toolkit makes it, and a label at the bottom that
// reports what the user does to them.
#pragma once

#include "gui/Form.h"

#include <X11/Xlib.h>
#include <memory>
#include <string>

class Application;
class ButtonCustom;
class CellControl;
class CheckBox;
class GalleryDialogs;
class ImageFrame;
class MyImage;
class OptionBox;
class PanelChildren;
class ProgressBar;
class ScrollBar;
class Slider;
class TextBoxCustom;
class Timer;

class GalleryForm : public Form {
public:
    explicit GalleryForm(Application* app);
    ~GalleryForm() override;

    // Writes a line into the report label.
    void Report(const std::string& line);
    // The message boxes' answers go to the dialog corner.
    void OnDialogResult(int kind, int result) override;
    GalleryDialogs* Dialogs() const { return dialogs.get(); }

private:
    void BuildPictures();
    void BuildControls();
    void ShowControls();

    // The handlers find the gallery through the form of the element that calls them.
    static GalleryForm* Of(GUIElement* element);
    static void OnButton(GUIElement* element, GUIElement* argument);
    static void OnInnerButton(GUIElement* element, GUIElement* argument);
    static void OnTextChanged(GUIElement* element);
    static void OnAnimate(GUIElement* element, GUIElement* argument);
    static void OnSeeThrough(GUIElement* element, GUIElement* argument);
    static void OnOption(GUIElement* element, GUIElement* argument);
    static void OnSlide(Slider* slider, int32_t level);
    static void OnScroll(ScrollBar* bar, int64_t tenTimesPosition, int64_t detail);
    static void OnTick(Timer* timer);

    int presses = 0;
    int frameColumn = 0;
    XImage* picture = nullptr;  // shown by the picture control, freed here
    XImage* sheet = nullptr;    // the picture frame's four frames side by side, freed here
    std::unique_ptr<CellControl> heading;
    std::unique_ptr<ButtonCustom> button;
    std::unique_ptr<TextBoxCustom> textBox;
    std::unique_ptr<MyImage> image;
    std::unique_ptr<ImageFrame> frame;
    std::unique_ptr<Timer> timer;
    std::unique_ptr<CheckBox> animate;
    std::unique_ptr<CheckBox> seeThrough;
    std::unique_ptr<PanelChildren> outerPanel;
    std::unique_ptr<PanelChildren> innerPanel;
    std::unique_ptr<ButtonCustom> innerButton;
    std::unique_ptr<OptionBox> options;
    std::unique_ptr<Slider> slider;
    std::unique_ptr<ProgressBar> progress;
    std::unique_ptr<ScrollBar> scrollBar;
    std::unique_ptr<CellControl> report;
    std::unique_ptr<GalleryDialogs> dialogs;
};
