// The game's two dependencies on real time, as replaceable functions: the
// blocking waits of the game flow (one second while the title loads, three
// after a lost life or a finished level) and the wall clock that times the
// title's blinking and the restart pause. The shipped game uses sleep and Now;
// tests put in functions that return at once or a clock they move themselves.
#pragma once

#include "support/DateTime.h"

using GameWaitFn = void (*)(unsigned seconds);
using GameClockFn = DateTime (*)();

// Blocks the whole program for the given seconds (sleep by default).
extern GameWaitFn GameWait;
// The current local time, whole seconds (Now by default).
extern GameClockFn GameClock;
