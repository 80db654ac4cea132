// The game's icon, 48 x 48: the player on a patch of meadow under the sky,
// with a coin. Written twice: as a packed RGB picture for the game window's
// icon (the window manager's hints) and as an XPM for the desktop entry.
#pragma once

#include "game/DataFiles.h"
#include "tools/artgen/Canvas.h"

#include <string>

namespace artgen {

inline constexpr int kIconSize = DataFiles::kIcon.frameWidth;  // pixels, square
inline constexpr const char* kIconPicture = DataFiles::kIcon.name;
static_assert(DataFiles::kIcon.frameHeight == kIconSize, "the icon is square");
inline constexpr const char* kIconXpm = "icon.xpm";

Canvas DrawIcon();

// The canvas as an XPM image (two characters a pixel), named name.
std::string EncodeXpm(const Canvas& canvas, const std::string& name);

}  // namespace artgen
