// Banner: a line of text in a dark box over the game's frame, shown only in
// the frame buffer (bmpScreenBuffer) and never in the scene, so that hiding it
// puts back exactly the pixels it covered. The game shows "PAUSED" while
// paused and "PRESS ANY KEY" once a finished game's score is recorded.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <string>
#include <vector>

class FormGames;

class Banner {
public:
    static constexpr int32_t kPaddingX = 20;   // pixels left and right of the text
    static constexpr int32_t kPaddingY = 10;   // pixels above and below it
    static constexpr int32_t kFill = 0x010101; // not black: black is transparent
    static constexpr int32_t kInk = 0xFFFFFF;

    // Shows text centred across the form, its box centred on centreY. A banner
    // already shown is hidden first. Nothing without a frame buffer.
    void Show(FormGames& form, const std::string& text, int32_t centreY);
    // Puts back what the banner covered, if the frame buffer is still the one
    // it was drawn into.
    void Hide(FormGames& form);
    // The frame buffer was replaced: there is nothing to put back.
    void Drop() { shown = false; }
    bool IsShown() const { return shown; }

private:
    // Copies the covered rows between the frame and `covered`, either way.
    enum class Copy { FromFrame, IntoFrame };
    void CopyRows(XImage* frame, Copy direction);

    bool shown = false;
    const void* buffer = nullptr;  // the frame buffer's pixels it was drawn into
    int32_t x = 0, y = 0, width = 0, height = 0;  // pixels
    std::vector<char> covered;     // the rows it covered, as they were
};
