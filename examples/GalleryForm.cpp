#include "examples/GalleryForm.h"

#include "app/EventLoop.h"
#include "examples/GalleryDialogs.h"
#include "gui/controls/ButtonCustom.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/CheckBox.h"
#include "gui/controls/OptionBox.h"
#include "gui/controls/PanelChildren.h"
#include "gui/controls/ProgressBar.h"
#include "gui/controls/ScrollBar.h"
#include "gui/controls/Slider.h"
#include "gui/controls/TextBoxCustom.h"
#include "gui/controls/Timer.h"
#include "gui/images/ImageFrame.h"
#include "gui/images/MyImage.h"
#include "gui/images/Picture.h"

#include <vector>

namespace {
constexpr int32_t kWidth = 640;             // pixels, client area
constexpr int32_t kHeight = 340;            // pixels
constexpr int32_t kFormColour = 0xC8D0D8;
constexpr int32_t kPictureSide = 48;        // pixels, picture and frame
constexpr int32_t kFrames = 4;              // frames of the animation
constexpr uint32_t kFrameIntervalMs = 150;  // ms per frame
constexpr int32_t kOptionColours[3] = {0xE8B0B0, 0xB0E8B0, 0xB0B8E8};

// Packed RGB of width x height from a colour function.
template <typename ColourFn>
std::vector<unsigned char> Rgb(int32_t width, int32_t height, ColourFn colourAt)
{
    std::vector<unsigned char> rgb;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = colourAt(x, y);
            rgb.insert(rgb.end(), {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                                   static_cast<unsigned char>(c)});
        }
    return rgb;
}
}  // namespace

GalleryForm::GalleryForm(Application* app) : Form(0)
{
    SetApplication(app);
    SetSize(kWidth, kHeight);
    SetBackColor(kFormColour);
    SetTitle("Bruvo toolkit gallery");
    SetQueryCloseHandler([](GUIElement*) { return QuitRequested = true; });
    Create();  // the pictures need the form's window
    BuildPictures();
    BuildControls();
    ShowControls();
}

GalleryForm::~GalleryForm()
{
    // The controls go before the pictures they show.
    dialogs.reset();
    image.reset();
    frame.reset();
    DestroyImage(picture);
    DestroyImage(sheet);
}

void GalleryForm::BuildPictures()
{
    std::vector<unsigned char> rgb = Rgb(kPictureSide, kPictureSide, [](int32_t x, int32_t y) {
        return static_cast<uint32_t>(x * 5) << 16 | static_cast<uint32_t>(y * 5) << 8 | 0xA0u;
    });
    picture = CreateImageFromRgb(this, rgb.data(), kPictureSide, kPictureSide, rgb.size());
    // Frame f: a yellow disc going round on black, which the see-through mode leaves out.
    rgb = Rgb(kPictureSide * kFrames, kPictureSide, [](int32_t x, int32_t y) {
        static constexpr int32_t kCentres[kFrames][2] = {{16, 16}, {32, 16}, {32, 32}, {16, 32}};
        const int32_t f = x / kPictureSide, dx = x % kPictureSide - kCentres[f][0], dy = y - kCentres[f][1];
        return dx * dx + dy * dy <= 100 ? 0xFFD000u : 0x000000u;
    });
    sheet = CreateImageFromRgb(this, rgb.data(), kPictureSide * kFrames, kPictureSide, rgb.size());
}

void GalleryForm::BuildControls()
{
    heading = std::make_unique<CellControl>(this);
    heading->SetPosition(10, 8);
    heading->SetSize(620, 24);
    heading->SetBackColor(kFormColour);
    heading->SetText("Every control of the toolkit: click, type, drag and use the keys");

    button = std::make_unique<ButtonCustom>(this, "Press me");
    button->SetPosition(10, 45);
    button->SetSize(100, 30);
    button->SetCommand(&OnButton);

    textBox = std::make_unique<TextBoxCustom>(this, "Type here");
    textBox->SetPosition(120, 45);
    textBox->SetSize(160, 30);
    textBox->SetChangeHandler(&OnTextChanged);  // when it loses the focus changed

    image = std::make_unique<MyImage>(this, picture);
    image->SetPosition(295, 40);
    image->SetSize(kPictureSide, kPictureSide);

    frame = std::make_unique<ImageFrame>(this, sheet, 0, 0);
    frame->SetPosition(355, 40);
    frame->SetSize(kPictureSide, kPictureSide);
    timer = std::make_unique<Timer>(this, kFrameIntervalMs);
    timer->SetCallback(&OnTick);

    animate = std::make_unique<CheckBox>(this, "Animate");
    animate->SetPosition(415, 45);
    animate->SetSize(100, 30);
    animate->SetCommand(&OnAnimate);
    seeThrough = std::make_unique<CheckBox>(this, "See-through");
    seeThrough->SetPosition(520, 45);
    seeThrough->SetSize(115, 30);
    seeThrough->SetCommand(&OnSeeThrough);

    // A panel holding a panel holding a button and an option group.
    outerPanel = std::make_unique<PanelChildren>(this);
    outerPanel->SetPosition(10, 100);
    outerPanel->SetSize(300, 180);
    outerPanel->SetText("Panel");
    outerPanel->SetSunken(false);
    innerPanel = std::make_unique<PanelChildren>(outerPanel.get());
    innerPanel->SetPosition(15, 25);
    innerPanel->SetSize(270, 140);
    innerPanel->SetSunken(true);
    innerPanel->SetBackColor(kOptionColours[0]);
    innerButton = std::make_unique<ButtonCustom>(innerPanel.get(), "Inner");
    innerButton->SetPosition(15, 20);
    innerButton->SetCommand(&OnInnerButton);
    options = std::make_unique<OptionBox>(innerPanel.get());
    options->SetPosition(120, 20);
    options->SetSize(130, 78);
    options->AddItem("Red", "0");
    options->AddItem("Green", "1");
    options->AddItem("Blue", "2");
    options->SelectFirst();
    options->SetCommand(&OnOption);

    slider = std::make_unique<Slider>(this, false, 0, 10);
    slider->SetPosition(330, 100);
    slider->SetSize(200, 50);
    slider->SetSlideHandler(&OnSlide);
    progress = std::make_unique<ProgressBar>(this, 0, 10);
    progress->SetPosition(330, 165);

    scrollBar = std::make_unique<ScrollBar>(this, 0, 1000);  // pages of 250
    scrollBar->SetPosition(330, 215);
    scrollBar->SetSize(292, 21);
    scrollBar->SetScrollHandler(&OnScroll);

    report = std::make_unique<CellControl>(this);
    report->SetPosition(10, 298);
    report->SetSize(620, 30);
    report->SetBorder(true);
    report->SetBackColor(0xFFFFFF);
    report->SetAlignment(0);
    report->SetText("What you do shows here.");

    dialogs = std::make_unique<GalleryDialogs>(this, 330, 250, picture, kPictureSide);
}

void GalleryForm::ShowControls()
{
    for (GUIElement* control : std::vector<GUIElement*>{heading.get(), button.get(), textBox.get(), image.get(),
                                                        frame.get(), animate.get(), seeThrough.get(),
                                                        outerPanel.get(), slider.get(), progress.get(),
                                                        scrollBar.get(), report.get()})
        control->Show();
    dialogs->Show();
}

void GalleryForm::Report(const std::string& line)
{
    report->SetText(line);
}

void GalleryForm::OnDialogResult(int kind, int result)
{
    dialogs->OnDialogResult(kind, result);
}

GalleryForm* GalleryForm::Of(GUIElement* element)
{
    return static_cast<GalleryForm*>(FormOf(element));
}

void GalleryForm::OnButton(GUIElement* element, GUIElement*)
{
    GalleryForm* gallery = Of(element);
    gallery->Report("Button pressed " + std::to_string(++gallery->presses) + " times");
}

void GalleryForm::OnInnerButton(GUIElement* element, GUIElement*)
{
    Of(element)->Report("Inner button pressed: the click went through two panels");
}

void GalleryForm::OnTextChanged(GUIElement* element)
{
    Of(element)->Report("Text changed to \"" + element->GetValue() + "\"");
}

void GalleryForm::OnAnimate(GUIElement* element, GUIElement*)
{
    GalleryForm* gallery = Of(element);
    const bool on = gallery->animate->IsChecked();
    if (on)
        gallery->timer->Start();
    else
        gallery->timer->Stop();
    gallery->Report(on ? "Animation on: a timer steps the picture frame" : "Animation off");
}

void GalleryForm::OnSeeThrough(GUIElement* element, GUIElement*)
{
    GalleryForm* gallery = Of(element);
    const bool on = gallery->seeThrough->IsChecked();
    gallery->frame->SetTransparent(on);
    gallery->Report(on ? "Picture frame see-through: black shows the form" : "Picture frame opaque");
}

void GalleryForm::OnOption(GUIElement* element, GUIElement*)
{
    GalleryForm* gallery = Of(element);
    const int32_t index = gallery->options->GetSelected();
    gallery->innerPanel->SetBackColor(kOptionColours[index]);
    gallery->Report("Option " + gallery->options->CaptionAt(index) + " chosen");
}

void GalleryForm::OnSlide(Slider* slider, int32_t level)
{
    GalleryForm* gallery = Of(slider);
    gallery->progress->SetProgress(level);
    gallery->Report("Slider at " + std::to_string(level) + ": the progress bar follows");
}

void GalleryForm::OnScroll(ScrollBar* bar, int64_t tenTimesPosition, int64_t)
{
    Of(bar)->Report("Scroll bar at " + std::to_string(tenTimesPosition / 10));
}

void GalleryForm::OnTick(Timer* timer)
{
    GalleryForm* gallery = Of(timer);
    gallery->frameColumn = (gallery->frameColumn + 1) % kFrames;
    gallery->frame->SetFrame(gallery->frameColumn, 0);
}
