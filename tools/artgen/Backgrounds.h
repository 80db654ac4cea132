// The level backdrops, 800 x 640 each: a sky gradient, far and near layers,
// a calm band at the top for the status line, and a dark drop below the
// ground row that shows through the holes.
#pragma once

#include "tools/artgen/Canvas.h"

namespace artgen {

Canvas DrawMeadow();     // layout 1: a day meadow
Canvas DrawDusk();       // layout 2: hills at dusk
Canvas DrawNight();      // layout 3: a starry night over a village
Canvas DrawMountains();  // layout 4: snowy peaks and pines
Canvas DrawForest();     // layout 5: a deep forest
Canvas DrawDesert();     // layout 6: dunes, mesas and cacti
Canvas DrawSnow();       // layout 7: a snowfall
Canvas DrawCave();       // layout 8: a crystal cave
Canvas DrawBlank();      // any other layout: a plain, quiet backdrop

}  // namespace artgen
