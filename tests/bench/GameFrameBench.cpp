// One busy frame of the game form: the player, three bees and two fires are
// restored and drawn into the frame buffer, and the buffer is presented.
// Counts the heap allocations made inside the measured loops: every malloc,
// calloc and realloc of the process (operator new and libX11 included), in
// unsanitized builds, whose allocator it can stand in front of. Run it under
// `strace -c -f` to see that a frame makes no system call but the X
// connection's.
//
//   DISPLAY=:n build/tests/bench_GameFrameBench
#include "app/Application.h"
#include "game/FormGames.h"
#include "game/Sprite.h"
#include "game/SpriteDesc.h"
#include "game/SpriteFactory.h"
#include "gui/images/Picture.h"

#include "tests/bench/common/AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class BenchForm : public FormGames {
public:
    explicit BenchForm(Application* app) : FormGames(app, "bench") {}
};

// The game form with a background and the sprites of a busy moment.
struct Scene {
    Scene()
    {
        app = std::make_unique<Application>("bench");
        if (!app->GetDisplay())
            return;
        form = std::make_unique<BenchForm>(app.get());
        XSync(app->GetDisplay(), False);
        form->Paint();
        const std::string path = "/tmp/bruvo-bench-back.bin";
        if (FILE* file = std::fopen(path.c_str(), "wbe")) {
            for (int i = 0; i < 800 * 640; ++i) {
                const unsigned char rgb[3] = {static_cast<unsigned char>(i), static_cast<unsigned char>(i >> 8), 0x40};
                std::fwrite(rgb, 1, 3, file);
            }
            std::fclose(file);
        }
        form->RenderSfondo(path);
        std::remove(path.c_str());

        using namespace SpriteKinds;
        for (int kind : {Player, Ape, Fire}) {
            const DataFiles::Picture& strip = *kStrips[kind];
            // Flames and wings: a pattern with black (transparent) holes.
            std::vector<unsigned char> rgb;
            for (int y = 0; y < strip.height; ++y)
                for (int x = 0; x < strip.width; ++x) {
                    const bool hole = (x + y) % 5 == 0;
                    rgb.push_back(hole ? 0 : static_cast<unsigned char>(0x80 + x));
                    rgb.push_back(hole ? 0 : static_cast<unsigned char>(y));
                    rgb.push_back(hole ? 0 : 0x30);
                }
            strips[kind] = CreateImageFromRgb(form.get(), rgb.data(), strip.width, strip.height, rgb.size());
        }
        auto add = [this](int kind, int32_t x, int32_t y) {
            sprites.emplace_back(CreateSprite(form.get(), kGameDescs[kind], 0, strips[kind]));
            sprites.back()->SetPosition(x, y);
            sprites.back()->Draw();
        };
        add(Player, 376, 518);
        add(Ape, 100, 520);
        add(Ape, 400, 420);
        add(Ape, 690, 520);
        add(Fire, 220, 546);
        add(Fire, 250, 546);
    }
    ~Scene()
    {
        sprites.clear();
        for (XImage* strip : strips)
            DestroyImage(strip);
        form.reset();
        if (app)
            app->CloseScreen();
    }
    bool Ready() const { return form && form->GetScreenBuffer(); }

    // One step of every sprite: walk, patrol, burn; each restores its old place.
    void Compose()
    {
        ++step;
        const int32_t swing = (step % 16) < 8 ? 1 : -1;
        sprites[0]->SetPosition(sprites[0]->GetX() + 8 * swing, sprites[0]->GetY());
        for (size_t i = 1; i <= 3; ++i)
            sprites[i]->SetPosition(sprites[i]->GetX() - 3 * swing, sprites[i]->GetY());
        for (size_t i = 4; i <= 5; ++i)
            sprites[i]->SetFrame(static_cast<int32_t>(step % 12));
        for (auto& sprite : sprites)
            sprite->Draw();
    }
    // The frame timer's present: six ticks.
    void Present()
    {
        for (int tick = 0; tick < 6; ++tick)
            form->OnTick();
    }

    std::unique_ptr<Application> app;
    std::unique_ptr<BenchForm> form;
    XImage* strips[SpriteKinds::kCount] = {};
    std::vector<std::unique_ptr<Sprite>> sprites;
    int step = 0;
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void Measure(benchmark::State& state, bool compose, bool present, bool sync)
{
    Scene& scene = TheScene();
    if (!scene.Ready()) {
        state.SkipWithError("no X display or no frame buffer");
        return;
    }
    StartCountingAllocations();
    for (auto _ : state) {
        if (compose)
            scene.Compose();
        if (present)
            scene.Present();
        if (sync)
            XSync(scene.app->GetDisplay(), False);  // wait for the server too
    }
    const size_t allocations = StopCountingAllocations();
    if (kCountsAllocations)
        state.counters["allocs/frame"] =
            benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

void BM_ComposeBusyFrame(benchmark::State& state) { Measure(state, true, false, false); }
void BM_PresentFrame(benchmark::State& state) { Measure(state, false, true, true); }
void BM_BusyFrame(benchmark::State& state) { Measure(state, true, true, true); }
void BM_BusyFrameNoSync(benchmark::State& state) { Measure(state, true, true, false); }

}  // namespace

BENCHMARK(BM_ComposeBusyFrame);
BENCHMARK(BM_PresentFrame);
BENCHMARK(BM_BusyFrame);
BENCHMARK(BM_BusyFrameNoSync);
BENCHMARK_MAIN();
