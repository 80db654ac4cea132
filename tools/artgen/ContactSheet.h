// One picture for reviewing the art at a glance: every full-screen picture
// reduced 1:4, every frame of every strip enlarged 2:1 with its file and
// frame number, and two mock-ups of play at 1:1 built from the same files.
#pragma once

#include "tools/artgen/Canvas.h"

namespace artgen {

Canvas DrawContactSheet();

}  // namespace artgen
