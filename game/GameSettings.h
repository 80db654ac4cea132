// GameSettings: what a player chooses once and the game keeps in its folder,
// the text file "settings.cfg" of "Key= value" lines. Today one choice: the
// keys, one at a time (the default) or free. A missing file means the
// defaults; a line the game does not know is left out, a bad value is logged
// and the default kept. Needs no X.
#pragma once

#include <string>

struct GameSettings {
    static constexpr const char* kFile = "settings.cfg";

    // Free keys: the directions and the jump are held independently, and a
    // key that does nothing in the game releases none of them. Off: the last
    // key pressed is the only one held (pressing Up while Right is held stops
    // the walk).
    bool freeKeys = false;

    // Reads the file; the defaults for what it does not say.
    static GameSettings Load(const std::string& path);
    // Writes the file whole (through a temporary file: an old one is only
    // replaced by a whole new one); false, logged, when it cannot.
    bool Save(const std::string& path) const;
};
