// The compiled-in 20 x 20 pictures of the check and option boxes, and the
// set of four client-side pictures a box makes from them on its first paint
// and keeps until it is destroyed.
#pragma once

#include <X11/Xlib.h>
#include <cstdint>

struct PaletteImage;
class GUIElement;

constexpr int32_t kBoxPictureSide = 20;  // pixels

// In the order of BoxPictureSet: on-enabled, on-disabled, off-enabled, off-disabled.
// Check boxes: square, sunken, white or grey inside, ticked when on.
extern const PaletteImage* const kCheckBoxPictures[4];
// Option boxes: round with black corners (the key colour of their
// transparent drawing), white or grey inside, a dark dot when on.
extern const PaletteImage* const kOptionBoxPictures[4];

class BoxPictureSet {
public:
    explicit BoxPictureSet(const PaletteImage* const* sourcePictures) : sources(sourcePictures) {}
    ~BoxPictureSet();
    BoxPictureSet(const BoxPictureSet&) = delete;
    BoxPictureSet& operator=(const BoxPictureSet&) = delete;

    // Makes the four pictures for the element's form when they are not made yet.
    void Make(GUIElement* element);
    // The picture of a state; null until made.
    XImage* Get(bool on, bool enabled) const;

private:
    const PaletteImage* const* sources;
    XImage* pictures[4] = {};
    bool made = false;
};
