// The game's frame, composed headless: a busy level (the player walking,
// three bees, two fires) stepped and its frame repainted where it changed,
// in 800 x 640 layers of the display's 32-bit layout with strips of the real
// sizes. Counts the heap allocations made inside the measured loop in
// unsanitized builds: composing allocates nothing.
//
//   build/tests/bench_GameFrameBench
#include "game/FramePicture.h"
#include "game/world/World.h"

#include "tests/bench/common/AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Layer {
    Layer(int32_t width, int32_t height, uint8_t seed) : pixels(static_cast<size_t>(width) * height * 4)
    {
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(i * 7 + seed);
        view = PixelImage{width, height, width * 4, pixels.data()};
    }
    std::vector<uint8_t> pixels;
    PixelImage view;
};

struct Frame {
    Frame() : backdrop(800, 640, 3), scene(800, 640, 0), frame(800, 640, 0)
    {
        PixelLayout layout;
        composer.SetLayout(layout);
        composer.SetLayers(backdrop.view, scene.view, frame.view);
        for (int kind = 0; kind < SpriteKinds::kCount; ++kind) {
            const DataFiles::Picture& file = *SpriteKinds::kStrips[kind];
            strips.emplace_back(file.width, file.height, static_cast<uint8_t>(kind));
        }
        for (int kind = 0; kind < SpriteKinds::kCount; ++kind)
            composer.SetPicture(kind, strips[kind].view);
        world.StartGame(6);
        Playfield& field = world.Field();
        field.RemoveMovement(field.GetPlayer());
        field.Jump().active = false;
        field.GetPlayer()->SetPosition(560, 518);
        texts.makerLine = "by";
        texts.highScoreLines = &lines;
    }
    Layer backdrop, scene, frame;
    std::vector<Layer> strips;
    FrameComposer composer;
    World world;
    FrameTexts texts;
    std::vector<std::string> lines;
};

void BM_StepAndComposeSixTimes(benchmark::State& state)
{
    static Frame f;
    StepInput input;
    int walked = 0;
    StartCountingAllocations();
    for (auto _ : state) {
        for (int step = 0; step < 6; ++step) {
            // Walks to and fro between x 560 and 720.
            input.held = (walked++ / 40) % 2 == 0 ? StepInput::kRight : StepInput::kLeft;
            f.world.ClearCues();
            f.world.Step(input);
            ListFrameItems(f.world, f.texts, f.composer);
            f.composer.Compose();
        }
        f.composer.ClearChanged();
    }
    const size_t allocations = StopCountingAllocations();
    if (f.world.GetGameState() != GameState::Playing)
        state.SkipWithError("the player died during the measurement");
    if (kCountsAllocations)
        state.counters["allocs/6 steps"] =
            benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_StepAndComposeSixTimes);
BENCHMARK_MAIN();
