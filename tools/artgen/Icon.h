// The game's icon, 48 x 48: the player on a patch of meadow under the sky,
// with a coin. Written three times: as a packed RGB picture for the game
// window's icon (the window manager's hints), as an XPM for the desktop entry
// that ./play.sh writes and as a PNG for the icon theme of an installed game.
#pragma once

#include "game/world/DataFiles.h"
#include "tools/artgen/Canvas.h"

#include <string>

namespace artgen {

inline constexpr int kIconSize = DataFiles::kIcon.frameWidth;  // pixels, square
inline constexpr const char* kIconPicture = DataFiles::kIcon.name;
static_assert(DataFiles::kIcon.frameHeight == kIconSize, "the icon is square");
inline constexpr const char* kIconXpm = "icon.xpm";
inline constexpr const char* kIconPng = "icon.png";

Canvas DrawIcon();

// The canvas as an XPM image (two characters a pixel), named name.
std::string EncodeXpm(const Canvas& canvas, const std::string& name);

// The canvas as a PNG file (8-bit RGB, no interlace). The image data are
// stored uncompressed, so no compression library is needed.
std::string EncodePng(const Canvas& canvas);

}  // namespace artgen
