// The sprite model. Every object on the playing field is a Sprite: a
// rectangle with a position, a size and a current frame of its kind's picture
// strip (frame n, counted from 1, is the rectangle at (0, (n - 1) x height)).
// Sprites hold no pixels: Draw and Erase record where the sprite is shown
// (placed, lastX, lastY, drawnFrame), and the game form composes its frame
// from that record:
//   - a static sprite (inScene: tiles, coins) is part of the scene, over the
//     background and under everything that moves;
//   - a moving sprite is shown over the scene.
// Behaviour on a clock is not here but in SpriteAnim objects (SpriteAnim.h)
// that point at a sprite and are stepped by the playfield's tick.
//
// Where things are:
//   Sprite.h            GameElement, Sprite (this file; Sprite.cpp)
//   SpriteActors.h      SpritePlayer, SpriteApe, SpriteUfo, SpriteFire
//   SpriteScenery.h     SpriteMonete and the three tile classes
//   SpriteAnim.h        SpriteAnim, SpriteAnimazione
//   SpriteMovement.h    SpriteJumping, MovementEnemies
//   SpriteFactory.h     CreateSprite
//   SpriteDesc.h        the kind descriptors and strips
//   SpriteGeometry.h    Overlaps and StandsOn on plain boxes
#pragma once

#include "game/world/SpriteDesc.h"
#include "game/world/SpriteGeometry.h"

#include <cstdint>
#include <string>

class Playfield;

// The root of everything on the playing field.
class GameElement {
public:
    GameElement() = default;
    virtual ~GameElement() = default;
    GameElement(const GameElement&) = delete;
    GameElement& operator=(const GameElement&) = delete;
};

class Sprite : public GameElement {
public:
    // picture: the strip the sprite's frames are cut from; id: its serial number.
    Sprite(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id);

    // Takes the sprite off the field where it was last shown, if shown.
    virtual void Erase();
    // n counted from 0.
    virtual void SetFrame(int32_t n) { frame = n + 1; }
    // Shows the current frame at (x, y), in place of where it was shown before.
    virtual void Draw();
    // Called by SpriteAnimazione after every frame step.
    virtual void Act() {}
    virtual void Idle() {}
    // Called after every jump step of a sprite with `lands` set; takes
    // whether the step's move succeeded, returns the new jumping flag.
    virtual bool Land(bool /*moved*/) { return false; }
    // Turn to face left or right; the descriptor is the kind's.
    virtual void TurnLeft(SpriteDesc* /*desc*/) {}
    virtual void TurnRight(SpriteDesc* /*desc*/) {}

    void SetPosition(int32_t newX, int32_t newY) { x = newX; y = newY; }
    // The frames its frame animation runs through (from the kind's
    // descriptor when made; a turn changes them); -1, -1 while it stands still.
    SpriteKinds::FrameRange GetFrameRange() const { return frameRange; }
    void SetFrameRange(SpriteKinds::FrameRange range) { frameRange = range; }
    int32_t GetX() const { return x; }
    int32_t GetY() const { return y; }
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }
    // Counted from 0.
    int32_t GetFrame() const { return frame - 1; }
    int32_t GetId() const { return id; }
    SpriteBox Box() const { return SpriteBox{x, y, width, height}; }
    // Boxes shrunk by the margins (pixels) intersect.
    bool Overlaps(const Sprite& other, int32_t ownMargin, int32_t otherMargin) const
    {
        return ::Overlaps(Box(), other.Box(), ownMargin, otherMargin);
    }
    bool StandsOn(const Sprite& other) const { return ::StandsOn(Box(), other.Box()); }

    const std::string& GetKind() const { return kind; }
    SpriteKinds::Kind GetPicture() const { return picture; }
    bool Lands() const { return lands; }
    bool IsInScene() const { return inScene; }
    bool IsTransparent() const { return transparent; }

    // Where and how the sprite was last shown: the form draws exactly this.
    bool IsPlaced() const { return placed; }
    int32_t GetLastX() const { return lastX; }
    int32_t GetLastY() const { return lastY; }
    // Counted from 0, like GetFrame.
    int32_t GetDrawnFrame() const { return drawnFrame - 1; }
    // Shown on the frame: placed with its corner inside the area (it is cut at
    // the right and bottom edges).
    bool IsVisible() const
    {
        return placed && lastX >= 0 && lastY >= 0 && lastX < SpriteKinds::kAreaWidth &&
               lastY < SpriteKinds::kAreaHeight && width > 0 && height > 0;
    }

protected:
    std::string kind = "sprite";
    Playfield* owner;            // not owned
    SpriteKinds::Kind picture;   // the strip of its kind
    int32_t width;               // pixels
    int32_t height;              // pixels
    int32_t frame = 1;           // counted from 1
    SpriteKinds::FrameRange frameRange = {0, 0};
    int32_t drawnFrame = -1;     // the frame last shown, counted from 1
    int32_t x = 0;               // pixels of the 800 x 640 field, top-left corner
    int32_t y = 0;
    bool placed = false;         // shown and not erased since
    int32_t id;
    bool lands = false;          // wants Land after jump steps
    int32_t lastX = -1;          // where last shown; -1 when not shown
    int32_t lastY = -1;
    bool inScene = false;        // static: part of the scene
    bool transparent = true;     // black pixels of the frame are not drawn
};
