#include "tests/game/GameFormSupport.h"

#include "game/SpriteActors.h"
#include "game/SpriteAnim.h"
#include "game/SpriteFactory.h"
#include "game/SpriteMovement.h"
#include "game/SpriteScenery.h"

#include <memory>

namespace gametest {
namespace {

// Frame n (from 0) of the test strips: every pixel 0x20 * (n + 1) in red,
// its x in green and its row in blue, so a pixel tells frame and place.
uint32_t StripPixel(int32_t x, int32_t y, int32_t frameHeight)
{
    const int32_t frame = y / frameHeight;
    return (static_cast<uint32_t>(0x20 * (frame + 1)) << 16) | (static_cast<uint32_t>(x) << 8) |
           static_cast<uint32_t>(y % frameHeight);
}

// A sprite that counts what its animation does to it.
class CountingSprite : public Sprite {
public:
    using Sprite::Sprite;
    void Draw() override
    {
        ++draws;
        Sprite::Draw();
    }
    void Act() override { ++acts; }
    int draws = 0;
    int acts = 0;
};

class SpriteTest : public GameFormTest {
protected:
    void SetUp() override
    {
        GameFormTest::SetUp();
        MakeForm();
        LoadBackground();
        // Four frames of 16 x 10, with a black (transparent) pixel at (3, 2) of each.
        strip = MakePicture(16, 40, [](int32_t x, int32_t y) {
            return x == 3 && y % 10 == 2 ? 0u : StripPixel(x, y, 10);
        });
        ASSERT_NE(strip, nullptr);
    }
    // The rectangle of the frame buffer shows frame n of the strip at (x, y).
    void ExpectFrameAt(int32_t n, int32_t x, int32_t y, const XImage* layer = nullptr)
    {
        layer = layer ? layer : form->GetScreenBuffer();
        for (int32_t py = 0; py < 10; ++py)
            for (int32_t px = 0; px < 16; ++px) {
                const uint32_t want = px == 3 && py == 2 ? Background(x + px, y + py) : StripPixel(px, n * 10 + py, 10);
                ASSERT_EQ(PixelOf(layer, x + px, y + py), want) << "frame " << n << " pixel " << px << "," << py;
            }
    }
    // Where the frame buffer differs from the layer below it (the scene).
    std::vector<std::string> Drawn() { return Differences(form->GetScena(), form->GetScreenBuffer(), 2000); }

    XImage* strip = nullptr;
};

TEST_F(SpriteTest, EverySpriteMadeTakesTheNextId)
{
    Sprite first(form, strip, 16, 10);
    SpriteMonete second(form, strip, 16, 10);
    EXPECT_EQ(second.GetId(), first.GetId() + 1);
    EXPECT_EQ(Sprite::SpritesMade(), second.GetId());
    first.SetFrame(3);
    EXPECT_EQ(first.GetFrame(), 3);
}

TEST_F(SpriteTest, DrawShowsTheCurrentFrameWithBlackTransparentAndMovesCleanly)
{
    Sprite sprite(form, strip, 16, 10);
    sprite.SetPosition(100, 200);
    sprite.Draw();
    ExpectFrameAt(0, 100, 200);
    EXPECT_TRUE(sprite.IsPlaced());
    EXPECT_EQ(Drawn().size(), 16u * 10u - 1u);
    // A new frame and place: the old place is restored from the scene.
    sprite.SetFrame(2);
    sprite.SetPosition(104, 203);
    sprite.Draw();
    ExpectFrameAt(2, 104, 203);
    EXPECT_EQ(Drawn().size(), 16u * 10u - 1u);
    EXPECT_EQ(sprite.GetLastX(), 104);
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScena()).empty()) << "a moving sprite leaves the scene alone";
}

TEST_F(SpriteTest, AFramePastTheStripsEndDrawsNothing)
{
    Sprite sprite(form, strip, 16, 10);
    sprite.SetPosition(300, 300);
    sprite.SetFrame(4);  // the strip has frames 0 to 3: all black, all transparent
    sprite.Draw();
    EXPECT_TRUE(Drawn().empty());
    EXPECT_TRUE(sprite.IsPlaced());
    Sprite none(form, nullptr, 16, 10);
    none.SetPosition(10, 300);
    none.Draw();
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(SpriteTest, DrawingAtXEightHundredDrawsNothingButRestoresTheOldPlace)
{
    Sprite sprite(form, strip, 16, 10);
    sprite.SetPosition(790, 630);  // inside by its corner, cut at the edges
    sprite.Draw();
    EXPECT_EQ(Drawn().size(), 10u * 10u - 1u);
    sprite.SetPosition(800, 630);
    sprite.Draw();
    EXPECT_TRUE(Drawn().empty());
    EXPECT_TRUE(sprite.IsPlaced());
    EXPECT_EQ(sprite.GetLastX(), 800);
    // Drawn again elsewhere: restoring x 800 touches no pixel.
    const std::string scene = Snapshot(form->GetScena());
    sprite.SetPosition(50, 60);
    sprite.Draw();
    ExpectFrameAt(0, 50, 60);
    EXPECT_EQ(Drawn().size(), 16u * 10u - 1u);
    EXPECT_EQ(Snapshot(form->GetScena()), scene);
    // Partly left of or above the form: not drawn either.
    for (const auto& place : {std::pair<int32_t, int32_t>{-1, 60}, {50, -1}, {0, 640}}) {
        sprite.SetPosition(place.first, place.second);
        sprite.Draw();
        EXPECT_TRUE(Drawn().empty()) << place.first << "," << place.second;
    }
}

TEST_F(SpriteTest, EraseRestoresWhereTheSpriteWasDrawnOnce)
{
    Sprite sprite(form, strip, 16, 10);
    sprite.Erase();  // never drawn: nothing
    EXPECT_TRUE(Drawn().empty());
    sprite.SetPosition(400, 100);
    sprite.Draw();
    sprite.SetPosition(420, 130);  // moved but not drawn yet
    sprite.Erase();
    EXPECT_TRUE(Drawn().empty());
    EXPECT_FALSE(sprite.IsPlaced());
    EXPECT_EQ(sprite.GetLastX(), -1);
    EXPECT_EQ(sprite.GetLastY(), -1);
    // Drawn again after an erase: nothing to restore first.
    sprite.Draw();
    ExpectFrameAt(0, 420, 130);
}

TEST_F(SpriteTest, StaticSpritesDrawIntoTheSceneAndLeaveThePureBackground)
{
    SpriteTilesTerreno tile(form, strip, 16, 10);
    EXPECT_TRUE(tile.IsInScene());
    tile.SetPosition(200, 500);
    tile.SetFrame(1);
    tile.Draw();
    ExpectFrameAt(1, 200, 500, form->GetScena());
    ExpectFrameAt(1, 200, 500);
    // A moving sprite over the tile and away again: the tile stays.
    Sprite mover(form, strip, 16, 10);
    mover.SetFrame(3);
    mover.SetPosition(205, 503);
    mover.Draw();
    mover.SetPosition(600, 100);
    mover.Draw();
    ExpectFrameAt(1, 200, 500);
    // The tile parked outside the form leaves the pure background in both layers.
    tile.SetPosition(864, 500);
    tile.Draw();
    EXPECT_EQ(Differences(form->GetSfondo(), form->GetScena()).size(), 0u);
    EXPECT_EQ(Drawn().size(), 16u * 10u - 1u);  // only the mover
}

TEST_F(SpriteTest, ACoinDrawsOnlyWhileShown)
{
    SpriteMonete coin(form, strip, 16, 10);
    EXPECT_EQ(coin.GetKind(), "spritemonete");
    EXPECT_TRUE(coin.IsInScene());
    coin.shown = false;
    coin.SetPosition(10, 400);
    coin.Draw();
    EXPECT_FALSE(coin.IsPlaced());
    EXPECT_TRUE(Drawn().empty());
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScena()).empty());
    coin.shown = true;
    coin.Draw();
    ExpectFrameAt(0, 10, 400, form->GetScena());
    coin.Erase();
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScena()).empty());
    EXPECT_TRUE(Differences(form->GetSfondo(), form->GetScreenBuffer()).empty());
}

TEST_F(SpriteTest, AStripNarrowerThanTheSpriteLeavesTheRestTransparent)
{
    XImage* narrow = MakePicture(4, 20, [](int32_t, int32_t) { return 0x0000FFu; });
    Sprite sprite(form, narrow, 6, 5);
    sprite.SetPosition(700, 10);
    sprite.Draw();
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 703, 14), 0x0000FFu);
    EXPECT_EQ(PixelOf(form->GetScreenBuffer(), 704, 10), Background(704, 10));
    EXPECT_EQ(Drawn().size(), 4u * 5u);
}

TEST_F(SpriteTest, FrameAnimationRunsThroughItsRangeAndWraps)
{
    SpriteDesc desc{800, 640, 16, 10, 0, 11, 330, "fire"};
    CountingSprite sprite(form, strip, 16, 10);
    sprite.SetPosition(10, 100);
    SpriteAnimazione animation(form, &desc, &sprite);
    EXPECT_EQ(animation.period, 330);
    EXPECT_EQ(animation.counter, 0);
    std::vector<int32_t> frames;
    for (int step = 0; step < 14; ++step) {
        animation.Step();
        frames.push_back(sprite.GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1, 2}));
    EXPECT_EQ(sprite.draws, 14);
    EXPECT_EQ(sprite.acts, 14);
    EXPECT_EQ(sprite.GetLastX(), 10);
}

TEST_F(SpriteTest, AnAnimationOfOneFrameNeverRedrawsButActsEveryStep)
{
    SpriteDesc desc{800, 640, 16, 10, 0, 0, 60, "money"};
    CountingSprite sprite(form, strip, 16, 10);
    SpriteAnimazione animation(form, &desc, &sprite);
    for (int step = 0; step < 5; ++step)
        animation.Step();
    EXPECT_EQ(sprite.GetFrame(), 0);
    EXPECT_EQ(sprite.draws, 0);
    EXPECT_EQ(sprite.acts, 5);
    EXPECT_FALSE(sprite.IsPlaced());
    // Only the end of the range wraps: a sprite below it counts up into it.
    SpriteDesc walk{800, 640, 16, 10, 3, 5, 150, "player"};
    SpriteAnimazione walking(form, &walk, &sprite);
    std::vector<int32_t> frames;
    for (int step = 0; step < 7; ++step) {
        walking.Step();
        frames.push_back(sprite.GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 3, 4, 5, 3, 4}));
}

TEST_F(SpriteTest, ClonesKeepCounterRangeAndSpriteAndTakeTheirClassPeriod)
{
    SpriteDesc desc{800, 640, 16, 10, 2, 3, 300, "ape"};
    Sprite sprite(form, strip, 16, 10);
    SpriteAnimazione animation(form, &desc, &sprite);
    animation.counter = 120;
    desc.firstFrame = 0;  // a later turn rewrites the descriptor
    desc.lastFrame = 1;
    desc.period = 90;
    std::unique_ptr<SpriteAnim> copy(animation.Clone());
    EXPECT_NE(dynamic_cast<SpriteAnimazione*>(copy.get()), nullptr);
    EXPECT_EQ(copy->counter, 120);
    EXPECT_EQ(copy->firstFrame, 2);
    EXPECT_EQ(copy->lastFrame, 3);
    EXPECT_EQ(copy->period, 90);
    EXPECT_EQ(copy->sprite, &sprite);
    EXPECT_EQ(copy->desc, &desc);
    EXPECT_EQ(copy->owner, form);

    SpriteJumping jump(form, &desc, &sprite, 60);
    jump.counter = 30;
    std::unique_ptr<SpriteAnim> jumpCopy(jump.Clone());
    EXPECT_NE(dynamic_cast<SpriteJumping*>(jumpCopy.get()), nullptr);
    EXPECT_EQ(jumpCopy->period, 60);
    EXPECT_EQ(jumpCopy->counter, 30);
    MovementEnemies patrol(form, &desc, &sprite);
    EXPECT_EQ(patrol.period, 60);
    patrol.counter = 50;
    std::unique_ptr<SpriteAnim> patrolCopy(patrol.Clone());
    EXPECT_NE(dynamic_cast<MovementEnemies*>(patrolCopy.get()), nullptr);
    EXPECT_EQ(patrolCopy->period, 60);
    EXPECT_EQ(patrolCopy->counter, 50);
}

TEST_F(SpriteTest, TheFactoryMakesEachKindAndNothingForOtherNames)
{
    struct Expected { const char* name; int32_t variant; const char* kind; int32_t width, height; };
    const Expected table[] = {
        {"player", 0, "spriteplayer", 48, 64},
        {"tiles", 0, "spritetilesterreno", 64, 64},
        {"tiles", 1, "spritetilesvegetazione", 64, 64},
        {"tiles", 2, "spritetilespedana", 64, 32},
        {"money", 0, "spritemonete", 20, 19},
        {"ape", 0, "spriteape", 40, 30},
        {"fire", 2, "spritefire", 40, 30},
        {"ufo", 0, "spriteufo", 40, 40},
    };
    for (const Expected& want : table) {
        SpriteDesc desc{800, 640, want.width, want.name == std::string("tiles") ? 64 : want.height, 0, 0, 60,
                        want.name};
        std::unique_ptr<Sprite> sprite(CreateSprite(form, desc, want.variant, strip));
        ASSERT_NE(sprite, nullptr) << want.name;
        EXPECT_EQ(sprite->GetKind(), want.kind);
        EXPECT_EQ(sprite->GetWidth(), want.width) << want.kind;
        EXPECT_EQ(sprite->GetHeight(), want.height) << want.kind;
        EXPECT_EQ(sprite->GetStrip(), strip);
        EXPECT_EQ(sprite->GetOwner(), form);
        EXPECT_EQ(sprite->Lands(), want.kind == std::string("spriteplayer")) << want.kind;
        const bool statik = std::string(want.kind).rfind("spritetiles", 0) == 0 || want.kind == std::string("spritemonete");
        EXPECT_EQ(sprite->IsInScene(), statik) << want.kind;
    }
    for (const char* name : {"sprite", "Player", "", "tile", "bee"}) {
        SpriteDesc desc{800, 640, 40, 30, 0, 0, 60, name};
        EXPECT_EQ(CreateSprite(form, desc, 0, strip), nullptr) << name;
    }
    SpriteDesc tiles{800, 640, 64, 64, 0, 0, 60, "tiles"};
    EXPECT_EQ(CreateSprite(form, tiles, 3, strip), nullptr);
    SpriteDesc unnamed{800, 640, 64, 64, 0, 0, 60, nullptr};
    EXPECT_EQ(CreateSprite(form, unnamed, 0, strip), nullptr);
}

TEST_F(SpriteTest, AFireErasesItselfBeforeAFrameChange)
{
    SpriteFire fire(form, strip, 16, 10);
    EXPECT_TRUE(fire.active);
    fire.SetPosition(220, 546);
    fire.Draw();
    ASSERT_FALSE(Drawn().empty());
    fire.SetFrame(0);  // the same frame: stays
    EXPECT_TRUE(fire.IsPlaced());
    EXPECT_FALSE(Drawn().empty());
    fire.SetFrame(1);
    EXPECT_FALSE(fire.IsPlaced());
    EXPECT_TRUE(Drawn().empty());
    EXPECT_EQ(fire.GetFrame(), 1);
    fire.Draw();
    ExpectFrameAt(1, 220, 546);
}

}  // namespace
}  // namespace gametest
