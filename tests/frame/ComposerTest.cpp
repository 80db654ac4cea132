// The frame composer and its painting, headless: clipping at every edge,
// transparency, the layers, text, and the invariant that matters most: after
// any sequence of lists, repainting only what changed leaves the frame
// exactly as composing the last list from nothing would, and the changed
// rectangles cover every pixel that changed.
#include "tests/frame/FrameTestSupport.h"

#include "game/FrameComposer.h"

#include <gtest/gtest.h>

#include <random>

using namespace frametest;

namespace {
constexpr int32_t kW = 200, kH = 160;

uint32_t Backdrop(int32_t x, int32_t y) { return 0x100000u | (uint32_t(x) << 8) | uint32_t(y); }
// Strip frames of 16 x 10: red 0x40 * (frame + 1), a black (transparent)
// pixel at (3, 2), pure blue, green and red ones at (5, 2), (6, 2), (7, 2).
uint32_t Strip(int32_t x, int32_t y)
{
    if (y % 10 == 2 && x >= 3 && x <= 7 && x != 4)
        return x == 3 ? 0u : x == 5 ? 0x0000FFu : x == 6 ? 0x00FF00u : 0xFF0000u;
    return (0x40u * (y / 10 + 1)) << 16 | 0x0F;
}

TEST(Paint, APictureIsCutToItsSourceTheTargetAndTheClip)
{
    const Picture strip(16, 40, Strip);
    struct Case {
        const char* what;
        int32_t sourceY, width, height, x, y;
        Rect clip;
        Rect drawn;  // where the target changes (the black pixel aside)
    };
    const Case cases[] = {
        {"inside", 10, 16, 10, 50, 60, {0, 0, kW, kH}, {50, 60, 16, 10}},
        {"past the right and bottom edges", 0, 16, 10, kW - 6, kH - 4, {0, 0, kW, kH}, {kW - 6, kH - 4, 6, 4}},
        {"past the left and top edges", 0, 16, 10, -10, -7, {0, 0, kW, kH}, {0, 0, 6, 3}},
        {"source past the strip's end", 35, 16, 10, 20, 20, {0, 0, kW, kH}, {20, 20, 16, 5}},
        {"cut by the clip", 0, 16, 10, 20, 20, {24, 22, 4, 100}, {24, 22, 4, 8}},
        {"outside", 0, 16, 10, kW, 0, {0, 0, kW, kH}, {}},
    };
    for (const Case& c : cases) {
        Picture target(kW, kH, Backdrop);
        const Picture before(kW, kH, Backdrop);
        Paint::Picture(strip.view, 0, c.sourceY, c.width, c.height, target.view, c.x, c.y, false, Layout(), c.clip);
        const Difference d = Compare(before, target);
        EXPECT_EQ(d.bounds, c.drawn) << c.what;
        EXPECT_EQ(d.count, c.drawn.Area()) << c.what;
        if (!c.drawn.Empty()) {
            // The pixel drawn at a place is the strip's pixel for that place.
            const int32_t fromX = c.drawn.x - c.x, fromY = c.sourceY + c.drawn.y - c.y;
            EXPECT_EQ(target.At(c.drawn.x, c.drawn.y), strip.At(fromX, fromY)) << c.what;
        }
    }
}

TEST(Paint, TransparentPicturesLeaveBlackPixelsAndFillsAndBordersStayInTheirRectangles)
{
    const Picture strip(16, 40, Strip);
    Picture target(kW, kH, Backdrop);
    Paint::Picture(strip.view, 0, 0, 16, 10, target.view, 10, 10, true, Layout(), target.view.Area());
    EXPECT_EQ(target.At(13, 12), Backdrop(13, 12)) << "black is transparent";
    EXPECT_EQ(target.At(14, 12), Strip(4, 2));
    for (int32_t x = 5; x <= 7; ++x)
        EXPECT_EQ(target.At(10 + x, 12), Strip(x, 2)) << "only black is transparent, not one colour at 0";
    Paint::Picture(strip.view, 0, 0, 16, 10, target.view, 10, 10, false, Layout(), target.view.Area());
    EXPECT_EQ(target.At(13, 12), 0u) << "opaque copies black too";

    Picture filled(kW, kH, Backdrop);
    Paint::Fill(filled.view, Rect{5, 6, 7, 8}, 0x010101, Layout(), Rect{0, 0, 9, kH});
    EXPECT_EQ(Compare(Picture(kW, kH, Backdrop), filled).bounds, (Rect{5, 6, 4, 8}));
    Picture bordered(kW, kH, Backdrop);
    Paint::Border(bordered.view, Rect{5, 6, 7, 8}, 0xFFFFFF, Layout(), bordered.view.Area());
    const Difference d = Compare(Picture(kW, kH, Backdrop), bordered);
    EXPECT_EQ(d.bounds, (Rect{5, 6, 7, 8}));
    EXPECT_EQ(d.count, 2 * 7 + 2 * 6);
}

TEST(Glyphs, TextIsInkOnTheBaselineAdvancedByEachGlyphAndCut)
{
    const GlyphSet font = BlockFont();
    EXPECT_EQ(font.TextWidth("AB C"), 28);
    Picture target(kW, kH);
    font.Draw(target.view, Layout(), 20, 50, "A B", 0xFF0000, Rect{0, 0, kW, 48});
    // "A" at the pen 20: ink x 20-24 (cell origin 1), rows 40-49, cut at 48.
    const Difference d = Compare(Picture(kW, kH), target);
    EXPECT_EQ(d.bounds, (Rect{20, 40, 19, 8}));
    EXPECT_EQ(d.count, 2 * 5 * 8);
    EXPECT_EQ(target.At(20, 40), 0xFF0000u);
    EXPECT_EQ(target.At(27, 45), 0u) << "the blank has no ink";
}

TEST(Composer, MergedRectanglesCoverTheirPartsAndStaySeparateWhenFarApart)
{
    std::vector<Rect> list;
    FrameComposer::AddMerged(list, Rect{0, 0, 10, 10});
    FrameComposer::AddMerged(list, Rect{5, 5, 10, 10});   // overlaps: one
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], (Rect{0, 0, 15, 15}));
    FrameComposer::AddMerged(list, Rect{500, 500, 10, 10});  // far: two
    EXPECT_EQ(list.size(), 2u);
    FrameComposer::AddMerged(list, Rect{20, 0, 10, 10});   // near: the waste is small
    EXPECT_EQ(list.size(), 2u);
    FrameComposer::AddMerged(list, Rect{0, 0, 0, 10});     // empty: nothing
    EXPECT_EQ(list.size(), 2u);
}

// A composer on three layers it owns, with two pictures and the block font.
struct Layers {
    Layers() : backdrop(kW, kH, Backdrop), scene(kW, kH), frame(kW, kH), strip(16, 40, Strip), font(BlockFont())
    {
        composer.SetLayout(Layout());
        composer.SetLayers(backdrop.view, scene.view, frame.view);
        composer.SetPicture(0, strip.view);
        composer.SetGlyphs(&font);
    }
    Picture backdrop, scene, frame, strip;
    GlyphSet font;
    FrameComposer composer;
};

// Lists a random frame: scenery, moving pictures, a text, overlays. The items
// come from a pool that `poolSeed` makes, each left out now and then, so that
// lists in a row share items with some gone or come back, as sprites hide.
void ListRandom(FrameComposer& composer, std::mt19937& random, uint32_t poolSeed)
{
    std::mt19937 pool(poolSeed);
    auto pick = [&pool](int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(pool); };
    composer.BeginItems();
    const int count = pick(0, 12);
    for (int i = 0; i < count; ++i) {
        const auto layer = static_cast<FrameItem::Layer>(pick(0, 2));
        const Rect area{pick(-20, kW), pick(-20, kH), pick(1, 40), pick(1, 30)};
        const int kind = pick(0, 3);
        const int32_t colour = pick(1, 0xFFFFFF);
        const bool flag = pick(0, 1) == 1;
        const int32_t sourceY = pick(0, 3) * 10;
        if (std::uniform_int_distribution<int>(0, 3)(random) == 0)
            continue;
        switch (kind) {
        case 0: composer.AddPicture(layer, 0, 0, sourceY, Rect{area.x, area.y, 16, 10}, flag); break;
        case 1: composer.AddFill(layer, area, colour); break;
        case 2: composer.AddBorder(layer, area, colour); break;
        default: composer.AddText(layer, area, area.x, area.y + 12, flag ? "Ab" : "Score 7", colour);
        }
    }
}

TEST(Composer, RepaintingWhatChangedGivesTheFrameOfTheLastListAndReportsEveryChangedPixel)
{
    std::mt19937 random(20261209);
    Layers incremental;
    std::vector<FrameItem> lastItems;
    for (int round = 0; round < 300; ++round) {
        const Picture before = incremental.frame;
        std::mt19937 copy = random;
        const uint32_t poolSeed = round / 4;
        ListRandom(incremental.composer, random, poolSeed);
        if (round % 37 == 36)  // a new backdrop: the layers given again
            incremental.composer.SetLayers(incremental.backdrop.view, incremental.scene.view, incremental.frame.view);
        incremental.composer.ClearChanged();
        const bool whole = round == 0 || round % 37 == 36;
        incremental.composer.Compose();
        const std::vector<FrameItem> items = incremental.composer.Shown();

        // The same list composed from nothing.
        Layers fresh;
        ListRandom(fresh.composer, copy, poolSeed);
        fresh.composer.Compose();
        const Difference wrong = Compare(fresh.frame, incremental.frame);
        ASSERT_EQ(wrong.count, 0) << "round " << round << ": frame differs within " << wrong.bounds.x << ","
                                  << wrong.bounds.y << " " << wrong.bounds.width << "x" << wrong.bounds.height;

        // The reported rectangles cover every changed pixel, and little else:
        // the places of the items that differ, and what merging them may add
        // (a few thousand pixels for each, in each of the three merges).
        int64_t itemsArea = 0, pieces = 0, sentArea = 0;
        for (size_t i = 0; i < std::max(items.size(), lastItems.size()); ++i) {
            const bool same = i < items.size() && i < lastItems.size() && items[i] == lastItems[i];
            for (const std::vector<FrameItem>* list : {&items, static_cast<const std::vector<FrameItem>*>(&lastItems)})
                if (!same && i < list->size() && !Intersect((*list)[i].area, Rect{0, 0, kW, kH}).Empty()) {
                    itemsArea += Intersect((*list)[i].area, Rect{0, 0, kW, kH}).Area();
                    ++pieces;
                }
        }
        for (const Rect& r : incremental.composer.Changed())
            sentArea += r.Area();
        if (!whole) {
            EXPECT_LE(sentArea, itemsArea + 3 * 4096 * pieces) << "round " << round;
        }
        lastItems = items;
        // Every changed pixel lies in a reported rectangle.
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x) {
                if (before.At(x, y) == incremental.frame.At(x, y))
                    continue;
                bool covered = false;
                for (const Rect& r : incremental.composer.Changed())
                    covered = covered || !Intersect(r, Rect{x, y, 1, 1}).Empty();
                ASSERT_TRUE(covered) << "round " << round << ": pixel " << x << "," << y << " changed unreported";
            }
    }
}

TEST(Composer, AnUnchangedListRepaintsNothingAndAMovedPictureOnlyItsTwoPlaces)
{
    Layers l;
    l.composer.BeginItems();
    l.composer.AddFill(FrameItem::Layer::Scene, Rect{0, 0, kW, 20}, 0x010101);
    l.composer.AddPicture(FrameItem::Layer::Moving, 0, 0, 0, Rect{40, 50, 16, 10}, true);
    l.composer.Compose();
    l.composer.ClearChanged();

    l.composer.BeginItems();
    l.composer.AddFill(FrameItem::Layer::Scene, Rect{0, 0, kW, 20}, 0x010101);
    l.composer.AddPicture(FrameItem::Layer::Moving, 0, 0, 0, Rect{40, 50, 16, 10}, true);
    EXPECT_FALSE(l.composer.Compose());
    EXPECT_TRUE(l.composer.Changed().empty());

    l.composer.BeginItems();
    l.composer.AddFill(FrameItem::Layer::Scene, Rect{0, 0, kW, 20}, 0x010101);
    l.composer.AddPicture(FrameItem::Layer::Moving, 0, 0, 0, Rect{48, 50, 16, 10}, true);
    EXPECT_TRUE(l.composer.Compose());
    ASSERT_EQ(l.composer.Changed().size(), 1u);
    EXPECT_EQ(l.composer.Changed()[0], (Rect{40, 50, 24, 10})) << "the old and the new place, merged";
    EXPECT_EQ(l.scene.At(45, 55), Backdrop(45, 55)) << "moving pictures stay out of the scene";

    // A picture that goes repaints its own place only, not the items after it.
    l.composer.ClearChanged();
    l.composer.BeginItems();
    l.composer.AddFill(FrameItem::Layer::Scene, Rect{0, 0, kW, 20}, 0x010101);
    l.composer.AddFill(FrameItem::Layer::Overlay, Rect{100, 0, 50, 12}, 0x020202);
    l.composer.Compose();
    ASSERT_EQ(l.composer.Changed().size(), 2u) << "the picture gone, the fill come";
    l.composer.ClearChanged();
    l.composer.BeginItems();
    l.composer.AddFill(FrameItem::Layer::Scene, Rect{0, 0, kW, 20}, 0x010101);
    l.composer.AddPicture(FrameItem::Layer::Moving, 0, 0, 0, Rect{48, 50, 16, 10}, true);
    l.composer.AddFill(FrameItem::Layer::Overlay, Rect{100, 0, 50, 12}, 0x020202);
    l.composer.Compose();
    ASSERT_EQ(l.composer.Changed().size(), 1u);
    EXPECT_EQ(l.composer.Changed()[0], (Rect{48, 50, 16, 10})) << "a picture that comes back: its place alone";
}

}  // namespace
