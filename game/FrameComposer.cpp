#include "game/FrameComposer.h"

#include <cstring>

namespace {
constexpr size_t kItemCapacity = 128;  // more than any frame lists: composing allocates nothing
constexpr size_t kRectCapacity = 64;
// Two rectangles are sent as one when their bounds cover at most this many
// pixels more than the two do: one larger request beats two small ones.
constexpr int64_t kMergeSlack = 4096;  // pixels
}  // namespace

bool FrameItem::operator==(const FrameItem& o) const
{
    return layer == o.layer && kind == o.kind && transparent == o.transparent && picture == o.picture &&
           sourceX == o.sourceX && sourceY == o.sourceY && area == o.area && colour == o.colour && textX == o.textX &&
           baseline == o.baseline && std::strcmp(text, o.text) == 0;
}

FrameComposer::FrameComposer()
{
    items.reserve(kItemCapacity);
    shown.reserve(kItemCapacity);
    sceneDirty.reserve(kRectCapacity);
    frameDirty.reserve(kRectCapacity);
    changed.reserve(kRectCapacity);
}

void FrameComposer::SetLayers(const PixelImage& newBackdrop, const PixelImage& newScene, const PixelImage& newFrame)
{
    backdrop = newBackdrop;
    scene = newScene;
    frame = newFrame;
    wholeFrame = true;
}

void FrameComposer::SetPicture(int index, const PixelImage& picture)
{
    if (index < 0 || index >= kMaxPictures)
        return;
    pictures[index] = picture;
    // Items drawn from the old picture are drawn again.
    wholeFrame = true;
}

FrameItem& FrameComposer::NewItem(FrameItem::Layer layer, FrameItem::Kind kind, const Rect& area)
{
    items.emplace_back();
    FrameItem& item = items.back();
    item.layer = layer;
    item.kind = kind;
    item.area = area;
    return item;
}

void FrameComposer::AddPicture(FrameItem::Layer layer, int picture, int32_t sourceX, int32_t sourceY,
                               const Rect& area, bool transparent)
{
    FrameItem& item = NewItem(layer, FrameItem::Kind::Picture, area);
    item.picture = picture;
    item.sourceX = sourceX;
    item.sourceY = sourceY;
    item.transparent = transparent;
}

void FrameComposer::AddFill(FrameItem::Layer layer, const Rect& area, int32_t colour)
{
    NewItem(layer, FrameItem::Kind::Fill, area).colour = colour;
}

void FrameComposer::AddBorder(FrameItem::Layer layer, const Rect& area, int32_t colour)
{
    NewItem(layer, FrameItem::Kind::Border, area).colour = colour;
}

void FrameComposer::AddText(FrameItem::Layer layer, const Rect& area, int32_t textX, int32_t baseline,
                            std::string_view text, int32_t colour)
{
    FrameItem& item = NewItem(layer, FrameItem::Kind::Text, area);
    item.colour = colour;
    item.textX = textX;
    item.baseline = baseline;
    const size_t length = std::min(text.size(), static_cast<size_t>(FrameItem::kMaxText - 1));
    std::memcpy(item.text, text.data(), length);
    item.text[length] = '\0';
}

void FrameComposer::AddMerged(std::vector<Rect>& list, const Rect& rect)
{
    if (rect.Empty())
        return;
    Rect merged = rect;
    // Each merge may bring the grown rectangle near another: go round until none is.
    for (size_t i = 0; i < list.size();) {
        // Rectangles that overlap but would waste much as one (a cross, say)
        // stay two: their overlap is painted twice, which is harmless.
        const Rect bounds = Bounds(list[i], merged);
        if (bounds.Area() <= list[i].Area() + merged.Area() + kMergeSlack) {
            merged = bounds;
            list[i] = list.back();
            list.pop_back();
            i = 0;
        } else {
            ++i;
        }
    }
    list.push_back(merged);
}

// Every item that differs from the one in the same place of the last list
// dirties where it was and where it is, in its layer.
void FrameComposer::MarkDifferences()
{
    const auto mark = [this](const FrameItem& item) {
        AddMerged(item.layer == FrameItem::Layer::Scene ? sceneDirty : frameDirty, Intersect(item.area, frame.Area()));
    };
    // The lists are walked side by side. An item that appeared or went (a
    // sprite hidden, a coin taken) would shift every later item out of step
    // with its old self; one item of look-ahead on either side keeps them in
    // step. Items that stay matched keep their order, so only the places of
    // unmatched items can change.
    size_t before = 0, now = 0;
    while (before < shown.size() && now < items.size()) {
        if (items[now] == shown[before]) {
            ++before;
            ++now;
        } else if (now + 1 < items.size() && items[now + 1] == shown[before]) {
            mark(items[now++]);
        } else if (before + 1 < shown.size() && items[now] == shown[before + 1]) {
            mark(shown[before++]);
        } else {
            mark(shown[before++]);
            mark(items[now++]);
        }
    }
    for (; before < shown.size(); ++before)
        mark(shown[before]);
    for (; now < items.size(); ++now)
        mark(items[now]);
}

bool FrameComposer::Compose()
{
    if (!backdrop.Valid() || !scene.Valid() || !frame.Valid()) {
        shown.swap(items);
        return false;
    }
    sceneDirty.clear();
    frameDirty.clear();
    if (wholeFrame) {
        sceneDirty.push_back(frame.Area());
        wholeFrame = false;
    } else {
        MarkDifferences();
    }
    for (const Rect& rect : sceneDirty) {
        RipristinaSfondo(RestoreLayer::Scene, rect);
        for (const FrameItem& item : items)
            if (item.layer == FrameItem::Layer::Scene)
                RenderItem(item, scene, rect);
        AddMerged(frameDirty, rect);
    }
    for (const Rect& rect : frameDirty) {
        RipristinaSfondo(RestoreLayer::Frame, rect);
        for (const FrameItem& item : items)
            if (item.layer != FrameItem::Layer::Scene)
                RenderItem(item, frame, rect);
        AddMerged(changed, rect);
    }
    shown.swap(items);
    return !frameDirty.empty();
}

void FrameComposer::RipristinaSfondo(RestoreLayer layer, const Rect& rect)
{
    if (layer == RestoreLayer::Scene)
        Paint::Copy(backdrop, scene, layout, rect);
    else
        Paint::Copy(scene, frame, layout, rect);
}

void FrameComposer::RenderItem(const FrameItem& item, const PixelImage& target, const Rect& clip) const
{
    const Rect area = Intersect(item.area, clip);
    if (area.Empty())
        return;
    switch (item.kind) {
    case FrameItem::Kind::Picture:
        if (item.picture >= 0 && item.picture < kMaxPictures)
            Paint::Picture(pictures[item.picture], item.sourceX, item.sourceY, item.area.width, item.area.height,
                           target, item.area.x, item.area.y, item.transparent, layout, area);
        break;
    case FrameItem::Kind::Fill:
        Paint::Fill(target, item.area, item.colour, layout, area);
        break;
    case FrameItem::Kind::Border:
        Paint::Border(target, item.area, item.colour, layout, area);
        break;
    case FrameItem::Kind::Text:
        if (glyphs != nullptr)
            glyphs->Draw(target, layout, item.textX, item.baseline, item.text, item.colour, area);
        break;
    }
}
