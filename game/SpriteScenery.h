// The static sprites: coins and the three kinds of tile. All are drawn into
// the scene (inScene), so that when they go they leave the pure background.
#pragma once

#include "game/Sprite.h"

class SpriteMonete : public Sprite {
public:
    SpriteMonete(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    // Draws only while shown.
    void Draw() override;

    bool shown = true;
    int32_t index = 0;  // its place in the level's coin list
};

class SpriteTilesTerreno : public Sprite {
public:
    SpriteTilesTerreno(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    bool shown = true;  // used by the tile pass; a hidden tile is parked outside the form
};

class SpriteTilesPedana : public Sprite {
public:
    SpriteTilesPedana(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    bool shown = true;
};

class SpriteTilesVegetazione : public Sprite {
public:
    SpriteTilesVegetazione(FormGames* owner, XImage* strip, int32_t width, int32_t height);

    bool shown = true;
};
