// The static sprites: coins and the three kinds of tile. All are part of the
// scene (inScene): under everything that moves, and when they go they leave
// the background behind.
#pragma once

#include "game/world/Sprite.h"

class SpriteMonete : public Sprite {
public:
    SpriteMonete(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id);

    // Draws only while shown.
    void Draw() override;

    bool shown = true;
    int32_t index = 0;  // its place in the level's coin list
};

// The three tile kinds differ only in their kind name; a tile pass parks an
// unused tile (not shown) outside the field.
class SpriteTile : public Sprite {
public:
    SpriteTile(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id,
               const char* kindName);

    bool shown = true;
};

class SpriteTilesTerreno : public SpriteTile {
public:
    SpriteTilesTerreno(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
        : SpriteTile(owner, picture, width, height, id, "spritetilesterreno")
    {
    }
};

class SpriteTilesPedana : public SpriteTile {
public:
    SpriteTilesPedana(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
        : SpriteTile(owner, picture, width, height, id, "spritetilespedana")
    {
    }
};

class SpriteTilesVegetazione : public SpriteTile {
public:
    SpriteTilesVegetazione(Playfield* owner, SpriteKinds::Kind picture, int32_t width, int32_t height, int32_t id)
        : SpriteTile(owner, picture, width, height, id, "spritetilesvegetazione")
    {
    }
};
