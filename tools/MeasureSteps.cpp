// Measuring tool: counts the frame steps of the real game (FormMain on the
// real event loop and clock) over five seconds of real time on the title
// screen, idle, with a key held (the server's auto-repeat) and with the
// pointer moving over the window at 125 Hz. The input comes from a child
// process with a display connection of its own, as from another program.
// Run it in the game folder of a build (Data/ there) with DISPLAY set:
//   cd BUILD/game && ../tools/bruvo_measure_steps
// The steps should be within 2 % of 100 a second in every case.
#include "app/Application.h"
#include "app/EventLoop.h"
#include "app/StepClock.h"
#include "game/FormMain.h"
#include "services/ChildProcess.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uint64_t kSettleMs = 2000;   // the title loads (one second's wait) and settles
constexpr uint64_t kMeasureMs = 5000;  // real time counted
constexpr long kPointerPeriodNs = 8000000;  // 125 Hz

enum class Input { Idle, HeldKey, PointerMotion };
const char* const kInputNames[] = {"idle", "held key", "pointer at 125 Hz"};

// The game, counting its frame steps between two moments of the clock.
class CountingGame : public FormMain {
public:
    using FormMain::FormMain;

    void OnTick() override
    {
        const uint64_t now = MonotonicMs();
        if (startMs == 0)
            startMs = now;
        if (now >= startMs + kSettleMs && firstMs == 0) {
            firstMs = now;
            eventsAtFirst = LoopCounters.events;
        }
        if (firstMs != 0) {
            ++steps;
            if (now >= firstMs + kMeasureMs) {
                lastMs = now;
                events = LoopCounters.events - eventsAtFirst;
                QuitRequested = true;
                return;
            }
        }
        FormMain::OnTick();
    }

    uint64_t startMs = 0, firstMs = 0, lastMs = 0;
    uint64_t eventsAtFirst = 0, events = 0;  // X events the loop handled meanwhile
    long steps = 0;
};

void SleepUntil(timespec& at, long periodNs)
{
    at.tv_nsec += periodNs;
    while (at.tv_nsec >= 1000000000L) {
        at.tv_nsec -= 1000000000L;
        ++at.tv_sec;
    }
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
}

// The other program: input for the window until it is ended. It runs in the
// forked child on a connection of its own; the parent's stays the parent's.
[[noreturn]] void FeedInput(Input input, Window window)
{
    CloseInheritedDescriptors();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        _exit(1);
    Window child = 0;
    int x = 0, y = 0;
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 200, 300, &x, &y, &child))
        _exit(1);
    if (input == Input::HeldKey) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Right), True, CurrentTime);
        XFlush(display);
        pause();
    }
    timespec at{};
    clock_gettime(CLOCK_MONOTONIC, &at);
    for (int i = 0;; ++i) {
        if (input == Input::PointerMotion) {
            XTestFakeMotionEvent(display, DefaultScreen(display), x + i % 2, y, CurrentTime);
            XFlush(display);
        }
        SleepUntil(at, kPointerPeriodNs);
    }
}

bool Measure(Application& application, Input input)
{
    auto* game = new CountingGame(&application, "Bruvo Stage Krodel: measuring");
    XSync(application.GetDisplay(), False);
    const pid_t feeder = fork();
    if (feeder == 0)
        FeedInput(input, game->GetWindow());
    if (feeder < 0)
        std::fprintf(stderr, "no process for the input: this row is measured without it\n");
    game->Run();
    if (feeder > 0) {
        kill(feeder, SIGTERM);
        waitpid(feeder, nullptr, 0);
    }
    // A key left down by the ended feeder goes up again.
    Display* display = application.GetDisplay();
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Right), False, CurrentTime);
    XSync(display, False);
    const double seconds = static_cast<double>(game->lastMs - game->firstMs) / 1000.0;
    const double rate = seconds > 0 ? static_cast<double>(game->steps) / seconds : 0;
    std::printf("%-18s %5ld steps in %.3f s = %6.1f steps/s (%+.1f %%), %5llu events\n",
                kInputNames[static_cast<int>(input)], game->steps, seconds, rate, rate - 100.0,
                static_cast<unsigned long long>(game->events));
    std::fflush(stdout);
    delete game;
    QuitRequested = false;
    return seconds > 0 && feeder > 0;
}

}  // namespace

int main()
{
    Application application("measure");
    if (application.HasFailed()) {
        std::fprintf(stderr, "bruvo_measure_steps needs DISPLAY\n");
        return 1;
    }
    bool ok = true;
    for (Input input : {Input::Idle, Input::HeldKey, Input::PointerMotion})
        ok = Measure(application, input) && ok;
    application.CloseScreen();
    return ok ? 0 : 1;
}
