// bruvo-replay: runs a recorded game (bruvo --record FILE) through the
// game's world with no X display and no Data files, as fast as it goes, and
// prints the line the game logs when the recording ends:
//   steps N level L score S lives V
// A file that is not a whole recording is refused with one line on standard
// error and status 1.
#include "game/world/InputTape.h"
#include "game/world/World.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: bruvo-replay FILE\n");
        return 2;
    }
    InputTape tape;
    std::string error;
    if (!tape.Load(argv[1], &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    World world;
    world.RunApp();
    for (StepInput input; tape.Next(input);) {
        world.ClearCues();
        world.Step(input);
    }
    std::printf("%s\n", GameSummary(world).c_str());
    return 0;
}
