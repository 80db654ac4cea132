// The game's own tick on a busy level: FormMain at level 6 (three bees, two
// burning fires, the player's walking animation and the input poll with a key
// held), six ticks per presented frame. Counts the heap allocations made
// inside the measured loop in unsanitized builds: the animation snapshot
// clones each animation whose step falls in a tick, as the game's timing asks.
//
//   DISPLAY=:n BRUVO_GAME_DIR=build/game build/tests/bench_GameTickBench
#include "app/Application.h"
#include "game/FormMain.h"
#include "game/GameClock.h"
#include "game/KeyTable.h"
#include "game/SpriteActors.h"
#include "game/SpriteAnim.h"

#include "tests/bench/common/AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

class BenchGame : public FormMain {
public:
    explicit BenchGame(Application* app) : FormMain(app, "bench") {}
    void SetLevel(int32_t n) { level = n; }
};

// A game folder in /tmp whose Data links to the generated files.
struct Game {
    Game()
    {
        const char* dir = std::getenv("BRUVO_GAME_DIR");
        if (dir == nullptr)
            return;
        char pattern[] = "/tmp/bruvo-tick-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0)
            return;
        folder = pattern;
        if (symlink((std::string(dir) + "/Data").c_str(), "Data") != 0)
            return;
        GameWait = [](unsigned) {};
        app = std::make_unique<Application>("bench");
        if (!app->GetDisplay())
            return;
        game = std::make_unique<BenchGame>(app.get());
        XSync(app->GetDisplay(), False);
        game->Paint();
        game->OnKeyPress('g');
        game->SetLevel(6);
        game->StartLevel();
        game->SetJoystickEnabled(false);
        // The player stands on the ground clear of every bee and fire and walks into the edge.
        SpritePlayer* player = game->GetPlayer();
        game->RemoveMovement(player);
        game->SetJumping(false);
        player->SetPosition(752, 518);
        game->OnKeyDown(KeyTable::kRight);
    }
    ~Game()
    {
        game.reset();
        if (app)
            app->CloseScreen();
        if (!folder.empty()) {
            unlink((folder + "/Data").c_str());
            unlink((folder + "/joystick.cfg").c_str());
            unlink((folder + "/log.txt").c_str());
            rmdir(folder.c_str());
        }
    }
    bool Ready() const { return game && game->GetGameState() == GameState::Playing; }

    std::string folder;
    std::unique_ptr<Application> app;
    std::unique_ptr<BenchGame> game;
};

Game& TheGame()
{
    static Game game;
    return game;
}

void BM_GameFrameOfSixTicks(benchmark::State& state)
{
    Game& g = TheGame();
    if (!g.Ready()) {
        state.SkipWithError("no X display, no BRUVO_GAME_DIR or the level did not start");
        return;
    }
    StartCountingAllocations();
    for (auto _ : state) {
        for (int tick = 0; tick < 6; ++tick)
            g.game->OnTick();
        XSync(g.app->GetDisplay(), False);
    }
    const size_t allocations = StopCountingAllocations();
    if (g.game->GetGameState() != GameState::Playing)
        state.SkipWithError("the player died during the measurement");
    state.counters["animations"] = static_cast<double>(g.game->FrameAnimations().size() + g.game->Movements().size());
    if (kCountsAllocations)
        state.counters["allocs/frame"] =
            benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_GameFrameOfSixTicks);
BENCHMARK_MAIN();
