// bruvo_soak: plays the real game for a while with seeded random input and
// watches what it holds. It starts a private Xvfb with openbox as the window
// manager, lays out a game folder, starts the game and then presses keys with
// random holds, clicks into the window and, whenever the name dialog is up,
// types a name (or nothing) and Enter. Every interval it prints one row:
// resident size, open descriptors, child processes, log size, CPU time and
// the games finished so far. At the end it closes the game as a window manager
// would and reports how the game ended.
//
//   bruvo_soak --game-dir build/game [--seed N] [--duration S] [--interval S]
//              [--first-game-within S] [--keep]
//
// With --first-game-within the duration counts from the end of the first
// game, which must come within S seconds: what follows is the steady part,
// free of start-up costs. The game's folder is removed at the end unless
// --keep is given. The exit status is 0 when the game was alive to the end
// and then exited normally; the rows are for the reader (and the soak test)
// to judge.
#include "tools/soak/SoakDriver.h"
#include "tools/soak/SoakProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// SIGTERM or SIGINT end the play early; the game is then closed as usual.
volatile sig_atomic_t stopRequested = 0;
void OnStop(int) { stopRequested = 1; }

struct Options {
    std::string gameDir;
    uint32_t seed = 1;
    int durationS = 600;   // seconds of play
    int intervalS = 30;    // seconds between rows
    int firstGameS = 0;    // seconds allowed for the first game; 0: the duration counts from the start
    bool keep = false;     // leave the game's folder in place
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--keep") {
            options.keep = true;
            --i;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char* value = argv[i + 1];
        if (name == "--first-game-within")
            options.firstGameS = std::atoi(value);
        else if (name == "--game-dir")
            options.gameDir = value;
        else if (name == "--seed")
            options.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
        else if (name == "--duration")
            options.durationS = std::atoi(value);
        else if (name == "--interval")
            options.intervalS = std::atoi(value);
        else
            return false;
    }
    return !options.gameDir.empty() && options.durationS > 0 && options.intervalS > 0 && options.firstGameS >= 0;
}

void PrintRow(int seconds, const ProcessSample& sample, int games)
{
    std::printf("%6d %9ld %5d %9d %10ld %8.2f %6d\n", seconds, sample.rssKb, sample.descriptors, sample.children,
                sample.logBytes, sample.cpuSeconds, games);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s --game-dir DIR [--seed N] [--duration SECONDS] [--interval SECONDS]"
                     " [--first-game-within SECONDS] [--keep]\n",
                     argv[0]);
        return 2;
    }
    signal(SIGTERM, OnStop);
    signal(SIGINT, OnStop);
    SoakDesktop desktop;
    std::string problem;
    if (!desktop.Start(&problem)) {
        std::fprintf(stderr, "bruvo_soak: %s\n", problem.c_str());
        return 2;
    }
    SoakGame game(options.gameDir, desktop.DisplayName());
    game.SetKeep(options.keep);
    if (!game.Start(&problem)) {
        std::fprintf(stderr, "bruvo_soak: %s\n", problem.c_str());
        return 2;
    }
    SoakDriver driver(desktop.DisplayName(), options.seed);
    if (!driver.Connect(&problem)) {
        game.Running();
        std::fprintf(stderr, "bruvo_soak: %s (the game: %s; its output follows)\n%s", problem.c_str(),
                     game.HowItEnded().c_str(), game.Output().c_str());
        return 2;
    }
    std::printf("bruvo_soak: seed %u, %d s, rows every %d s, game folder %s%s\n", options.seed, options.durationS,
                options.intervalS, game.Folder().c_str(), options.keep ? "" : " (removed at the end)");
    std::printf("%6s %9s %5s %9s %10s %8s %6s\n", "time_s", "rss_kb", "fds", "children", "log_bytes", "cpu_s",
                "games");
    PrintRow(0, game.Sample(), 0);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    int nextRow = options.intervalS;
    // When the duration's clock starts: at once, or at the first game's end.
    int durationFrom = options.firstGameS > 0 ? -1 : 0;
    bool alive = true;
    bool firstGameLate = false;
    for (;;) {
        const int elapsed = static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count());
        if (!game.Running()) {
            alive = false;
            break;
        }
        if (elapsed >= nextRow) {
            PrintRow(nextRow, game.Sample(), driver.GamesFinished());
            nextRow += options.intervalS;
        }
        if (durationFrom < 0 && driver.GamesFinished() > 0) {
            durationFrom = elapsed;
            std::printf("first game over at %d s\n", elapsed);
        }
        firstGameLate = durationFrom < 0 && elapsed >= options.firstGameS;
        if (firstGameLate || (durationFrom >= 0 && elapsed - durationFrom >= options.durationS) || stopRequested != 0)
            break;
        driver.Step();
    }
    driver.ReleaseAll();
    if (!alive) {
        std::printf("result: the game ended during play (%s)\n", game.HowItEnded().c_str());
        return 1;
    }
    if (firstGameLate)
        std::printf("no game finished within %d s\n", options.firstGameS);
    const bool closed = driver.CloseGameWindow() && game.WaitForExit(60000);
    const bool ok = closed && game.ExitedNormally() && !firstGameLate;
    std::printf("result: %s, %d games finished, %d names entered, game %s\n", ok ? "ok" : "failed",
                driver.GamesFinished(), driver.NamesEntered(),
                closed ? game.HowItEnded().c_str() : "did not close within a minute");
    return ok ? 0 : 1;
}
