// The cost of the game's joystick read, four direction queries every 20 ms:
// with no device (the common case: a clock read per query and an open attempt
// once a second) and with a device whose queue is empty (a read per query).
#include "services/Joystick.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

int64_t Monotonic()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A scratch working folder, so joystick.cfg and log.txt land there.
std::string EnterScratchFolder()
{
    char pattern[] = "/tmp/bruvo-bench-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr || chdir(made) != 0)
        std::abort();
    return made;
}

int QueryAll(Joystick& joystick)
{
    return joystick.JoystickLeft() + joystick.JoystickRight() + joystick.JoystickUp() +
           joystick.JoystickDown();
}

void BM_QueriesWithoutDevice(benchmark::State& state)
{
    const std::string folder = EnterScratchFolder();
    Joystick::ResetShared();
    Joystick joystick(-1, folder + "/js", Monotonic);
    for (auto _ : state)
        benchmark::DoNotOptimize(QueryAll(joystick));
}
BENCHMARK(BM_QueriesWithoutDevice);

void BM_QueriesWithIdleDevice(benchmark::State& state)
{
    const std::string folder = EnterScratchFolder();
    Joystick::ResetShared();
    if (mkfifo((folder + "/js0").c_str(), 0600) != 0)
        std::abort();
    Joystick joystick(-1, folder + "/js", Monotonic);
    if (!joystick.IsOpened())
        std::abort();
    for (auto _ : state)
        benchmark::DoNotOptimize(QueryAll(joystick));
}
BENCHMARK(BM_QueriesWithIdleDevice);

} // namespace

BENCHMARK_MAIN();
