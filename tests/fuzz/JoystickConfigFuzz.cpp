// Fuzz target: any text as "joystick.cfg", then any event records from the
// device.
#include "tests/fuzz/FuzzTargets.h"

#include "services/Joystick.h"

#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kDevicePrefix = "fuzzjs";   // the FIFO "fuzzjs0" in the working folder
constexpr size_t kMostEventBytes = 4096;          // well inside a pipe's buffer

int64_t FixedClock() { return 0; }

} // namespace

void FuzzJoystickConfig(const uint8_t* data, size_t size)
{
    size_t textBytes = size >= 2 ? (size_t(data[0]) | size_t(data[1]) << 8) : 0;
    const uint8_t* text = data + (size >= 2 ? 2 : size);
    const size_t rest = size - (text - data);
    textBytes = textBytes < rest ? textBytes : rest;
    {
        std::ofstream out(kJoystickConfigFile, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(text), static_cast<std::streamsize>(textBytes));
    }
    const JoystickSettings settings = ReadJoystickSettings(kJoystickConfigFile);
    // A key the text does not name keeps the "not given" value.
    const std::string content(reinterpret_cast<const char*>(text), textBytes);
    const std::pair<const char*, int32_t> fields[] = {{"JoystickEnable", settings.JoystickEnable},
                                                      {"AixsXCfg", settings.AixsXCfg},
                                                      {"MinValueLeftCfg", settings.MinValueLeftCfg},
                                                      {"MaxValueDownCfg", settings.MaxValueDownCfg}};
    for (const auto& field : fields)
        FUZZ_CHECK(content.find(field.first) != std::string::npos || field.second == -1);

    // The same file read by a Joystick, whose device then sends the rest.
    const std::string device = std::string(kDevicePrefix) + "0";
    struct stat info {};
    if (stat(device.c_str(), &info) != 0)
        FUZZ_CHECK(mkfifo(device.c_str(), 0600) == 0);
    Joystick::ResetShared();
    {
        Joystick joystick(-1, kDevicePrefix, FixedClock);
        const int writer = open(device.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        FUZZ_CHECK(joystick.IsOpened() == (writer >= 0));
        if (writer >= 0) {
            const uint8_t* events = text + textBytes;
            size_t eventBytes = rest - textBytes;
            eventBytes = eventBytes < kMostEventBytes ? eventBytes : kMostEventBytes;
            FUZZ_CHECK(eventBytes == 0 || write(writer, events, eventBytes) == ssize_t(eventBytes));
            close(writer);
            // Only the axis moved last shows, and at most one way along it.
            const int ways = int(joystick.JoystickLeft()) + int(joystick.JoystickRight()) +
                             int(joystick.JoystickUp()) + int(joystick.JoystickDown());
            FUZZ_CHECK(ways <= 1);
        }
    }
    Joystick::ResetShared();
    unlink("log.txt");
}

#ifdef BRUVO_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool entered = [] {
        char folder[] = "/tmp/fuzz_joystick_cfg.XXXXXX";
        return mkdtemp(folder) != nullptr && chdir(folder) == 0;
    }();
    FUZZ_CHECK(entered);
    FuzzJoystickConfig(data, size);
    return 0;
}
#endif
