// The world's step on a busy level, headless: level 6 (three bees, two
// burning fires, the player's walking animation and the input poll with a key
// held), six steps per iteration. Counts the heap allocations made inside the
// measured loop in unsanitized builds: a step allocates nothing.
//
//   build/tests/bench_GameTickBench
#include "game/world/World.h"

#include "tests/bench/common/AllocationCounter.h"

#include <benchmark/benchmark.h>

namespace {

// Level 6 with the player on the ground at the right edge, walking into it.
World& BusyWorld()
{
    static World world;
    static bool made = false;
    if (!made) {
        made = true;
        world.StartGame(6);
        Playfield& field = world.Field();
        field.RemoveMovement(field.GetPlayer());
        field.Jump().active = false;
        field.GetPlayer()->SetPosition(752, 518);
    }
    return world;
}

void BM_WorldSixSteps(benchmark::State& state)
{
    World& world = BusyWorld();
    StepInput input;
    input.held = StepInput::kRight;
    StartCountingAllocations();
    for (auto _ : state) {
        for (int step = 0; step < 6; ++step) {
            world.ClearCues();
            world.Step(input);
        }
    }
    const size_t allocations = StopCountingAllocations();
    if (world.GetGameState() != GameState::Playing)
        state.SkipWithError("the player died during the measurement");
    state.counters["animations"] =
        static_cast<double>(world.Field().FrameAnimations().size() + world.Field().Movements().size());
    if (kCountsAllocations)
        state.counters["allocs/6 steps"] =
            benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_WorldSixSteps);
BENCHMARK_MAIN();
