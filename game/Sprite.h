// The sprite model. Every object on the playing field is a Sprite: a
// rectangle with a position, a size and a current frame cut from a vertical
// strip of frames (frame n, counted from 1, is the rectangle at
// (0, (n - 1) x height)). A sprite draws itself into the game form's frame
// pictures and erases itself by restoring the background under it:
//   - a static sprite (inScene: tiles, coins) is drawn into bmpScena as well
//     and restores from bmpSfondo, leaving the pure background behind;
//   - a moving sprite is drawn into bmpScreenBuffer only and restores from
//     bmpScena, so it never damages the static scene.
// Behaviour on a clock is not here but in SpriteAnim objects (SpriteAnim.h)
// that point at a sprite and are stepped by the game's tick.
//
// Where things are:
//   Sprite.h            GameElement, Sprite (this file; Sprite.cpp)
//   SpriteActors.h      SpritePlayer, SpriteApe, SpriteUfo, SpriteFire
//   SpriteScenery.h     SpriteMonete and the three tile classes
//   SpriteAnim.h        SpriteAnim, SpriteAnimazione
//   SpriteMovement.h    SpriteJumping, MovementEnemies
//   SpriteFactory.h     CreateSprite
//   SpriteDesc.h        the kind descriptors and strips (no X)
//   SpriteGeometry.h    Overlaps and StandsOn on plain boxes (no X)
#pragma once

#include "game/SpriteDesc.h"
#include "game/SpriteGeometry.h"

#include <X11/Xlib.h>
#include <cstdint>
#include <string>

class FormGames;

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
    // The strip stays the caller's (FormMain holds one per kind); null draws nothing.
    Sprite(FormGames* owner, XImage* strip, int32_t width, int32_t height);
    ~Sprite() override;

    // Restores the background under the place it was last drawn, if drawn.
    virtual void Erase();
    // n counted from 0.
    virtual void SetFrame(int32_t n) { frame = n + 1; }
    // Restores its last place, then draws the current frame at (x, y) when
    // the sprite lies wholly inside the form.
    virtual void Draw();
    // Called by SpriteAnimazione after every frame step.
    virtual void Act() {}
    virtual void Idle() {}
    // Called after every jump step of a sprite with `lands` set; takes
    // whether the step's move succeeded, returns the new jumping flag.
    virtual bool Land(bool /*moved*/) { return false; }
    // Turn to face left or right; the descriptor is the kind's, whose frame
    // range the turn rewrites.
    virtual void TurnLeft(SpriteDesc* /*desc*/) {}
    virtual void TurnRight(SpriteDesc* /*desc*/) {}

    void SetPosition(int32_t newX, int32_t newY) { x = newX; y = newY; }
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
    FormGames* GetOwner() const { return owner; }
    XImage* GetStrip() const { return strip; }
    bool Lands() const { return lands; }
    bool IsPlaced() const { return placed; }
    bool IsInScene() const { return inScene; }
    int32_t GetLastX() const { return lastX; }
    int32_t GetLastY() const { return lastY; }

    // Sprites made so far; the first one gets id 1.
    static int32_t SpritesMade() { return spritesMade; }

protected:
    // Restores the background under the rectangle, clipped to the form.
    void RestoreUnder(int32_t atX, int32_t atY);

    std::string kind = "sprite";
    FormGames* owner;  // the game form (FormMain); not owned
    XImage* strip;     // not owned
    int32_t width;     // pixels
    int32_t height;    // pixels
    int32_t frame = 1;  // counted from 1
    int32_t drawnFrame = -1;  // the frame in frameImage
    int32_t x = 0;  // form pixels, top-left corner
    int32_t y = 0;
    bool placed = false;  // drawn and not erased since
    int32_t id;
    bool lands = false;  // wants Land after jump steps
    int32_t lastX = -1;  // where last drawn; -1 when not drawn
    int32_t lastY = -1;
    XImage* frameImage = nullptr;  // owned: the current frame cut from strip
    bool inScene = false;     // static: drawn into bmpScena too
    bool transparent = true;  // black pixels of the frame are not drawn

private:
    // Copies the current frame out of the strip into frameImage (made once,
    // reused for every later frame); rows beyond the strip stay black.
    void CutFrame();

    static int32_t spritesMade;
};
