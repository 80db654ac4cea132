// Measuring tool: what the built game sends its X server and what that costs.
// It starts a private Xvfb, runs the game of a game folder on it and drives it
// with XTest, as a player would: the title, the pause of level 1 as it begins,
// then a walk to and fro. For each phase it prints
//   - the bytes the game wrote (its X connection: nothing else is written then),
//   - the CPU time of the game and of the X server,
//   - how often the band the player walks in changed on the window, sampled
//     every 2 ms from a connection of its own;
// and at the end whether the paused window, unmapped and mapped again, shows
// the same picture.
//   build/tools/bruvo_measure_present --game-dir build/game [--seconds 4]
#include "tools/soak/SoakProcess.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void Key(Display* display, KeySym keysym, bool press)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), press ? True : False, CurrentTime);
    XFlush(display);
}

// FNV-1a of a window rectangle's pixels.
uint64_t Fingerprint(Display* display, Window window, int x, int y, int width, int height)
{
    XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0;
    uint64_t hash = 1469598103934665603ull;
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(image->height);
    for (size_t i = 0; i < bytes; ++i)
        hash = (hash ^ static_cast<unsigned char>(image->data[i])) * 1099511628211ull;
    XDestroyImage(image);
    return hash;
}

struct Phase {
    const char* name;
    double seconds = 0;
    unsigned long long bytes = 0;
    double gameCpu = 0;
    double serverCpu = 0;
    int bandChanges = 0;
    int samples = 0;
};

// Measures a phase of `seconds` while `drive` (called every 2 ms with the
// elapsed ms) plays; with sample, counts the changes of the player's band
// (the samples cost the X server: the CPU is measured without them).
template <typename Drive>
Phase Measure(const char* name, int seconds, bool sample, const SoakGame& game, pid_t server, Display* display,
              Window window, Drive drive)
{
    Phase phase;
    phase.name = name;
    const ProcessSample first = game.Sample();
    const double serverCpu = CpuSecondsOf(server);
    const Clock::time_point start = Clock::now();
    uint64_t last = Fingerprint(display, window, 0, 500, 800, 90);
    for (;;) {
        const long elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        if (elapsed >= seconds * 1000L)
            break;
        drive(elapsed);
        if (sample) {
            const uint64_t now = Fingerprint(display, window, 0, 500, 800, 90);
            phase.bandChanges += now != last ? 1 : 0;
            ++phase.samples;
            last = now;
        }
        Sleep(2);
    }
    phase.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const ProcessSample end = game.Sample();
    phase.bytes = end.writtenBytes - first.writtenBytes;
    phase.gameCpu = end.cpuSeconds - first.cpuSeconds;
    phase.serverCpu = CpuSecondsOf(server) - serverCpu;
    return phase;
}

// The figures of the plain pass, the band's changes of the sampled one.
void Print(const Phase& plain, const Phase& sampled)
{
    std::printf("%-7s %8.3f MB/s   game CPU %5.1f %%   X server CPU %5.1f %%   band changes %5.1f /s (%d samples/s)\n",
                plain.name, static_cast<double>(plain.bytes) / plain.seconds / 1e6,
                100.0 * plain.gameCpu / plain.seconds, 100.0 * plain.serverCpu / plain.seconds,
                sampled.bandChanges / sampled.seconds, static_cast<int>(sampled.samples / sampled.seconds));
}

}  // namespace

int main(int argc, char** argv)
{
    std::string gameDir;
    int seconds = 4;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--game-dir") == 0)
            gameDir = argv[i + 1];
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[i + 1]));
    }
    if (gameDir.empty()) {
        std::fprintf(stderr, "Usage: bruvo_measure_present --game-dir FOLDER [--seconds N]\n");
        return 2;
    }
    SoakDesktop desktop;
    std::string problem;
    if (!desktop.Start(&problem, false)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    setenv("DISPLAY", desktop.DisplayName().c_str(), 1);
    SoakGame game(gameDir, desktop.DisplayName());
    if (!game.Start(&problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    const pid_t server = desktop.ServerPid();
    Display* display = XOpenDisplay(nullptr);
    Window window = 0;
    for (int i = 0; i < 200 && display != nullptr && window == 0; ++i) {
        Sleep(50);
        window = FindWindowByTitle(display, DefaultRootWindow(display), "Bruvo Stage Krodel");
    }
    int status = 1;
    if (window != 0) {
        Sleep(2500);  // the loading and the title
        auto still = [](long) {};
        const Phase title = Measure("title", seconds, false, game, server, display, window, still);
        Print(title, Measure("title", seconds, true, game, server, display, window, still));
        Key(display, XK_g, true);
        Key(display, XK_g, false);
        Sleep(1200);  // the level, the player dropping
        Key(display, XK_p, true);
        Key(display, XK_p, false);
        Sleep(300);
        const Phase paused = Measure("paused", seconds, false, game, server, display, window, still);
        Print(paused, Measure("paused", seconds, true, game, server, display, window, still));
        const uint64_t before = Fingerprint(display, window, 0, 0, 800, 640);
        XUnmapWindow(display, window);
        XSync(display, False);
        Sleep(300);
        XMapWindow(display, window);
        XSync(display, False);
        Sleep(500);
        const uint64_t after = Fingerprint(display, window, 0, 0, 800, 640);
        status = before == after ? 0 : 1;
        // The keyboard back to the game, as a window manager gives it.
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);

        // To and fro around the middle, 0.3 s each way (a life may be lost:
        // what the window gets is measured all the same).
        Key(display, XK_p, true);
        Key(display, XK_p, false);
        bool right = true;
        auto walk = [&](long elapsed) {
            const bool wantRight = (elapsed / 300) % 2 == 0;
            if (wantRight != right) {
                Key(display, right ? XK_Right : XK_Left, false);
                right = wantRight;
                Key(display, right ? XK_Right : XK_Left, true);
            }
        };
        Key(display, XK_Right, true);
        // The band first, while the player surely lives (its grace began with the level).
        const Phase band = Measure("play", 1, true, game, server, display, window, walk);
        const Phase play = Measure("play", seconds, false, game, server, display, window, walk);
        Key(display, right ? XK_Right : XK_Left, false);
        Print(play, band);
        std::printf("paused, unmapped and mapped again: %s\n",
                    status == 0 ? "the same picture" : "A DIFFERENT PICTURE");
    } else {
        std::fprintf(stderr, "the game's window did not appear\n");
    }
    if (display != nullptr)
        XCloseDisplay(display);
    return status;
}
