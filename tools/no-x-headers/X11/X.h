// Stands in for the real <X11/X.h> when the game's world is compiled: the
// world must not reach X, and this makes any include of it a build error.
#error "the game's world (game/world/) must compile without X"
