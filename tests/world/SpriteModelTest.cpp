// The sprite model on its own: ids, the shown record Draw and Erase keep,
// frame animation, clones, the factory and the fire's erase before a change.
#include "game/world/Playfield.h"
#include "game/world/SpriteAnim.h"
#include "game/world/SpriteFactory.h"
#include "game/world/SpriteMovement.h"
#include "game/world/World.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A sprite that counts what its animation does to it.
class CountingSprite : public Sprite {
public:
    CountingSprite() : Sprite(nullptr, SpriteKinds::Fire, 16, 10, 1) {}
    void Draw() override
    {
        ++draws;
        Sprite::Draw();
    }
    void Act() override { ++acts; }
    int draws = 0;
    int acts = 0;
};

TEST(SpriteModel, EverySpriteMadeTakesTheNextIdAndDrawAndEraseKeepWhereItIsShown)
{
    World world;
    Playfield& field = world.Field();
    field.SetGameDescriptors();
    std::unique_ptr<Sprite> first(field.CreateSprite(field.Descriptor(SpriteKinds::Ape), 0));
    std::unique_ptr<Sprite> second(field.CreateSprite(field.Descriptor(SpriteKinds::Money), 0));
    EXPECT_EQ(second->GetId(), first->GetId() + 1);

    Sprite& sprite = *first;
    EXPECT_FALSE(sprite.IsPlaced());
    EXPECT_FALSE(sprite.IsVisible());
    sprite.SetFrame(3);
    sprite.SetPosition(100, 200);
    sprite.Draw();
    EXPECT_TRUE(sprite.IsVisible());
    EXPECT_EQ(sprite.GetDrawnFrame(), 3);
    // Moved and given a frame but not drawn: still shown where it was.
    sprite.SetPosition(104, 203);
    sprite.SetFrame(1);
    EXPECT_EQ(sprite.GetLastX(), 100);
    EXPECT_EQ(sprite.GetDrawnFrame(), 3);
    sprite.Erase();
    EXPECT_FALSE(sprite.IsPlaced());
    EXPECT_EQ(sprite.GetLastX(), -1);
    // Shown at x 800 or beyond, or above the field, it is placed but not seen.
    for (const auto& at : {std::pair<int32_t, int32_t>{800, 100}, {100, -1}, {-1, 100}, {100, 640}}) {
        sprite.SetPosition(at.first, at.second);
        sprite.Draw();
        EXPECT_TRUE(sprite.IsPlaced());
        EXPECT_FALSE(sprite.IsVisible()) << at.first << "," << at.second;
    }
    sprite.SetPosition(799, 639);  // its corner inside: seen, cut at the edges
    sprite.Draw();
    EXPECT_TRUE(sprite.IsVisible());
}

TEST(SpriteModel, FrameAnimationRunsThroughItsRangeAndWraps)
{
    SpriteDesc desc{800, 640, 16, 10, 0, 11, 330, "fire"};
    CountingSprite sprite;
    sprite.SetPosition(10, 100);
    SpriteAnimazione animation(nullptr, &desc, &sprite);
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

TEST(SpriteModel, AnAnimationOfOneFrameNeverRedrawsButActsEveryStep)
{
    SpriteDesc desc{800, 640, 16, 10, 0, 0, 60, "money"};
    CountingSprite sprite;
    SpriteAnimazione animation(nullptr, &desc, &sprite);
    for (int step = 0; step < 5; ++step)
        animation.Step();
    EXPECT_EQ(sprite.GetFrame(), 0);
    EXPECT_EQ(sprite.draws, 0);
    EXPECT_EQ(sprite.acts, 5);
    EXPECT_FALSE(sprite.IsPlaced());
    // Only the end of the range wraps: a sprite below it counts up into it.
    SpriteDesc walk{800, 640, 16, 10, 3, 5, 150, "player"};
    SpriteAnimazione walking(nullptr, &walk, &sprite);
    std::vector<int32_t> frames;
    for (int step = 0; step < 7; ++step) {
        walking.Step();
        frames.push_back(sprite.GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 3, 4, 5, 3, 4}));
}

TEST(SpriteModel, TheFactoryMakesEachKindAndNothingForOtherNames)
{
    struct Expected {
        const char* name;
        int32_t variant;
        const char* kind;
        SpriteKinds::Kind picture;
        int32_t width, height;
    };
    const Expected table[] = {
        {"player", 0, "spriteplayer", SpriteKinds::Player, 48, 64},
        {"tiles", 0, "spritetilesterreno", SpriteKinds::Tiles, 64, 64},
        {"tiles", 1, "spritetilesvegetazione", SpriteKinds::Tiles, 64, 64},
        {"tiles", 2, "spritetilespedana", SpriteKinds::Tiles, 64, 32},
        {"money", 0, "spritemonete", SpriteKinds::Money, 20, 19},
        {"ape", 0, "spriteape", SpriteKinds::Ape, 40, 30},
        {"fire", 2, "spritefire", SpriteKinds::Fire, 40, 30},
        {"ufo", 0, "spriteufo", SpriteKinds::Ufo, 40, 40},
    };
    for (const Expected& want : table) {
        SpriteDesc desc{800, 640, want.width, want.name == std::string("tiles") ? 64 : want.height, 0, 0, 60,
                        want.name};
        std::unique_ptr<Sprite> sprite(CreateSprite(nullptr, desc, want.variant, 7));
        ASSERT_NE(sprite, nullptr) << want.name;
        EXPECT_EQ(sprite->GetKind(), want.kind);
        EXPECT_EQ(sprite->GetPicture(), want.picture) << want.kind;
        EXPECT_EQ(sprite->GetWidth(), want.width) << want.kind;
        EXPECT_EQ(sprite->GetHeight(), want.height) << want.kind;
        EXPECT_EQ(sprite->GetId(), 7);
        EXPECT_EQ(sprite->Lands(), want.kind == std::string("spriteplayer")) << want.kind;
        const bool fixed =
            std::string(want.kind).rfind("spritetiles", 0) == 0 || want.kind == std::string("spritemonete");
        EXPECT_EQ(sprite->IsInScene(), fixed) << want.kind;
    }
    for (const char* name : {"sprite", "Player", "", "tile", "bee"}) {
        SpriteDesc desc{800, 640, 40, 30, 0, 0, 60, name};
        EXPECT_EQ(CreateSprite(nullptr, desc, 0, 1), nullptr) << name;
    }
    SpriteDesc tiles{800, 640, 64, 64, 0, 0, 60, "tiles"};
    EXPECT_EQ(CreateSprite(nullptr, tiles, 3, 1), nullptr);
    SpriteDesc unnamed{800, 640, 64, 64, 0, 0, 60, nullptr};
    EXPECT_EQ(CreateSprite(nullptr, unnamed, 0, 1), nullptr);
}

TEST(SpriteModel, ACoinShowsOnlyWhileShown)
{
    SpriteMonete coin(nullptr, SpriteKinds::Money, 20, 19, 2);
    coin.shown = false;
    coin.Draw();
    EXPECT_FALSE(coin.IsPlaced());
    coin.shown = true;
    coin.Draw();
    EXPECT_TRUE(coin.IsPlaced());
}

}  // namespace
