// FrameComposer: the game's frame, composed in client memory from a list of
// items and kept up to date by repainting only what changed. Three layers of
// one size, as the game form holds them:
//   backdrop  the full-screen picture as loaded; never drawn into;
//   scene     the backdrop plus the static items (tiles, coins, fixed texts):
//             moving items are restored from it;
//   frame     the scene plus the moving items and the overlays (status line,
//             banner): what the window shows.
// Each step the form lists what the frame shows now (BeginItems, Add...,
// Compose). The composer compares the list with the last one, and for every
// item that appeared, went or changed repaints the rectangles it covered and
// covers: the scene's from the backdrop, the frame's from the scene, then the
// items that meet them, in list order. Changed() gathers the frame's
// rectangles until the form has sent them to the window.
#pragma once

#include "game/Glyphs.h"
#include "game/PixelImage.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Which layers RipristinaSfondo reads and writes.
enum class RestoreLayer {
    Scene,  // from the backdrop into the scene
    Frame,  // from the scene into the frame
};

struct FrameItem {
    enum class Layer : uint8_t { Scene, Moving, Overlay };
    enum class Kind : uint8_t { Picture, Fill, Border, Text };
    static constexpr int kMaxText = 96;  // bytes of a text item; longer texts are cut

    Layer layer = Layer::Scene;
    Kind kind = Kind::Fill;
    bool transparent = false;  // Picture: black pixels are not drawn
    int32_t picture = 0;       // Picture: the composer's picture index
    int32_t sourceX = 0;       // Picture: the part's corner in the picture
    int32_t sourceY = 0;
    Rect area;                 // where it is drawn (Picture: the part's size), cut to it
    int32_t colour = 0;        // Fill, Border, Text: 0xRRGGBB
    int32_t textX = 0;         // Text: where the pen starts, on the baseline
    int32_t baseline = 0;
    char text[kMaxText] = {};  // Text: NUL-terminated

    bool operator==(const FrameItem& other) const;
    bool operator!=(const FrameItem& other) const { return !(*this == other); }
};

class FrameComposer {
public:
    static constexpr int kMaxPictures = 8;

    FrameComposer();

    void SetLayout(const PixelLayout& pixelLayout) { layout = pixelLayout; }
    const PixelLayout& Layout() const { return layout; }
    // The three layers; pictures of one size and layout, owned by the caller.
    // New layers (a new backdrop) are composed whole at the next Compose.
    void SetLayers(const PixelImage& backdrop, const PixelImage& scene, const PixelImage& frame);
    // A picture that Picture items draw from (index 0 .. kMaxPictures - 1).
    void SetPicture(int index, const PixelImage& picture);
    void SetGlyphs(const GlyphSet* set) { glyphs = set; }
    const GlyphSet* Glyphs() const { return glyphs; }

    // The list of what the frame shows, bottom first, built anew each step.
    void BeginItems() { items.clear(); }
    void AddPicture(FrameItem::Layer layer, int picture, int32_t sourceX, int32_t sourceY, const Rect& area,
                    bool transparent);
    void AddFill(FrameItem::Layer layer, const Rect& area, int32_t colour);
    void AddBorder(FrameItem::Layer layer, const Rect& area, int32_t colour);
    // A text cut to `area`, its pen starting at (textX, baseline).
    void AddText(FrameItem::Layer layer, const Rect& area, int32_t textX, int32_t baseline, std::string_view text,
                 int32_t colour);
    // Repaints what differs from the last list. Returns whether anything did.
    bool Compose();
    // The list the layers show: the last one composed.
    const std::vector<FrameItem>& Shown() const { return shown; }

    // The frame's rectangles changed since ClearChanged, merged.
    const std::vector<Rect>& Changed() const { return changed; }
    void ClearChanged() { changed.clear(); }
    // The whole frame counts as changed (the window lost what it showed).
    void ExposeAll() { AddMerged(changed, frame.Area()); }

    const PixelImage& Backdrop() const { return backdrop; }
    const PixelImage& Scene() const { return scene; }
    const PixelImage& Frame() const { return frame; }

    // Copies the rectangle from the lower layer (see RestoreLayer).
    void RipristinaSfondo(RestoreLayer layer, const Rect& rect);
    // Paints one item into a layer, only inside clip.
    void RenderItem(const FrameItem& item, const PixelImage& target, const Rect& clip) const;

    // Adds a rectangle to a list, merged with those it meets or lies close
    // to, so that a few larger rectangles stand for many small ones.
    static void AddMerged(std::vector<Rect>& list, const Rect& rect);

private:
    FrameItem& NewItem(FrameItem::Layer layer, FrameItem::Kind kind, const Rect& area);
    void MarkDifferences();

    PixelLayout layout;
    PixelImage backdrop;
    PixelImage scene;
    PixelImage frame;
    PixelImage pictures[kMaxPictures];
    const GlyphSet* glyphs = nullptr;
    std::vector<FrameItem> items;     // this step's list
    std::vector<FrameItem> shown;     // the list the layers show
    std::vector<Rect> sceneDirty;     // reused by every Compose
    std::vector<Rect> frameDirty;
    std::vector<Rect> changed;        // sent to the window by the form
    bool wholeFrame = true;
};
