#include "services/Joystick.h"

#include "support/FileUtil.h"
#include "support/Log.h"
#include "support/StringUtil.h"
#include "support/TextFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

namespace {

struct SettingKey {
    const char* name;
    int32_t JoystickSettings::*field;
    int32_t byDefault;
};

// The file's keys in the order they are written and logged.
constexpr SettingKey kKeys[] = {
    {"JoystickEnable", &JoystickSettings::JoystickEnable, 1},
    {"AixsXCfg", &JoystickSettings::AixsXCfg, 0},
    {"AixsYCfg", &JoystickSettings::AixsYCfg, 1},
    {"MinValueLeftCfg", &JoystickSettings::MinValueLeftCfg, -32767},
    {"MaxValueLeftCfg", &JoystickSettings::MaxValueLeftCfg, -1},
    {"MinValueRightCfg", &JoystickSettings::MinValueRightCfg, 1},
    {"MaxValueRightCfg", &JoystickSettings::MaxValueRightCfg, 32767},
    {"MinValueUpCfg", &JoystickSettings::MinValueUpCfg, -32767},
    {"MaxValueUpCfg", &JoystickSettings::MaxValueUpCfg, -1},
    {"MinValueDownCfg", &JoystickSettings::MinValueDownCfg, 1},
    {"MaxValueDownCfg", &JoystickSettings::MaxValueDownCfg, 32767},
};
static_assert(sizeof(kKeys) / sizeof(kKeys[0]) == 11, "joystick.cfg has eleven settings");

constexpr const char* kOpenFailure = "Could not open joystick. Use the cursor keys to move.";

// The kernel's joystick event record (linux/joystick.h, struct js_event).
constexpr size_t kEventSize = 8;     // bytes
constexpr uint8_t kEventButton = 0x01;
constexpr uint8_t kEventAxis = 0x02;
constexpr uint8_t kEventInitial = 0x80;   // synthetic state reports after open

// Shared by every Joystick and kept after they are gone.
struct SharedState {
    JoystickSettings settings;
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
    bool button = false;
    int buttonNumber = 0;
    bool failureLogged = false;   // since the last successful open
};

SharedState& Shared()
{
    static SharedState state;
    return state;
}

bool Enabled(const JoystickSettings& settings)
{
    return settings.JoystickEnable != 0 && settings.JoystickEnable != -1;
}

bool InRange(int32_t value, int32_t low, int32_t high)
{
    return low <= value && value <= high;
}

int64_t MonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);   // vDSO: no kernel entry
    return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Without a device no direction is held: the next device's initial-state
// reports are not applied, so a stale flag would stay until the stick moved.
void ClearDirections()
{
    SharedState& s = Shared();
    s.left = s.right = s.up = s.down = false;
}

// A setting's value as strtol reads it (trailing text ignored); false when
// it does not fit 32 bits.
bool ParseSetting(const std::string& text, int32_t* value)
{
    errno = 0;
    const long parsed = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    *value = int32_t(parsed);
    return true;
}

void ApplyEvent(const unsigned char* record)
{
    int16_t value = int16_t(uint16_t(record[4]) | uint16_t(record[5]) << 8);
    uint8_t type = record[6];
    uint8_t number = record[7];
    SharedState& s = Shared();
    const JoystickSettings& c = s.settings;
    if ((type & ~kEventInitial) == 0)
        return;
    if (type == kEventAxis) {
        // Any axis clears all four: only the axis moved last is reported.
        s.left = s.right = s.up = s.down = false;
        if (number == c.AixsXCfg) {
            if (InRange(value, c.MinValueLeftCfg, c.MaxValueLeftCfg))
                s.left = true;
            else if (InRange(value, c.MinValueRightCfg, c.MaxValueRightCfg))
                s.right = true;
        } else if (number == c.AixsYCfg) {
            if (InRange(value, c.MinValueUpCfg, c.MaxValueUpCfg))
                s.up = true;
            else if (InRange(value, c.MinValueDownCfg, c.MaxValueDownCfg))
                s.down = true;
        }
    } else if (type == kEventButton) {
        s.button = true;
        s.buttonNumber = number;
    }
}

} // namespace

bool WriteDefaultJoystickSettings(const std::string& path)
{
    std::vector<std::string> lines;
    for (const SettingKey& key : kKeys)
        lines.push_back(std::string(key.name) + "= " + IntToString(key.byDefault));
    TextFile file(path);
    return file.WriteLines(lines);
}

JoystickSettings ReadJoystickSettings(const std::string& path)
{
    JoystickSettings settings;
    TextFile file(path);
    for (const std::string& line : file.ReadLines()) {
        std::vector<std::string> pieces = Split(line, "=");
        if (pieces.size() != 2)
            continue;
        std::string key = Trim(pieces[0]);
        int32_t value = 0;
        const bool fits = ParseSetting(Trim(pieces[1]), &value);
        for (const SettingKey& known : kKeys) {
            if (key != known.name)
                continue;
            if (fits)
                settings.*known.field = value;
            else
                WriteLog(path + ": " + key + "=" + pieces[1] + " does not fit 32 bits, ignored");
        }
    }
    WriteLog(std::string("Reading file ") + path);
    for (const SettingKey& key : kKeys)
        WriteLog(std::string(key.name) + "= " + IntToString(settings.*key.field));
    return settings;
}

Joystick::Joystick() : Joystick(-1) {}

Joystick::Joystick(int index) : Joystick(index, kDevicePrefix, MonotonicMs) {}

Joystick::Joystick(int index, std::string devicePrefix, Clock clock)
    : index(index), devicePrefix(std::move(devicePrefix)), clock(clock)
{
    JoystickOpen(index);
}

Joystick::~Joystick()
{
    CloseDevice();
}

const JoystickSettings& Joystick::Settings()
{
    return Shared().settings;
}

void Joystick::ResetShared()
{
    Shared() = SharedState();
}

void Joystick::JoystickOpen(int deviceIndex)
{
    CloseDevice();
    index = deviceIndex;
    if (!FileExists(kJoystickConfigFile) && !WriteDefaultJoystickSettings(kJoystickConfigFile))
        WriteLog(std::string("impossibile creare il file ") + kJoystickConfigFile);
    SharedState& s = Shared();
    if (s.settings.JoystickEnable == -1)
        s.settings = ReadJoystickSettings(kJoystickConfigFile);
    if (!Enabled(s.settings))
        return;
    OpenDevice();
}

bool Joystick::OpenDevice()
{
    lastAttempt = clock();
    std::string device = devicePrefix + IntToString(index == -1 ? 0 : index);
    fd = open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    SharedState& s = Shared();
    if (fd < 0) {
        ClearDirections();
        if (!s.failureLogged)
            WriteLog(kOpenFailure);
        s.failureLogged = true;
        return false;
    }
    opened = true;
    s.failureLogged = false;
    return true;
}

void Joystick::CloseDevice()
{
    if (fd >= 0)
        close(fd);
    fd = -1;
    opened = false;
}

bool Joystick::Ready()
{
    if (opened)
        return true;
    // Never retried when disabled; otherwise at most once per interval, so
    // the common poll costs one clock read.
    if (!Enabled(Shared().settings) || clock() - lastAttempt < kRetryInterval)
        return false;
    return OpenDevice();
}

void Joystick::Drain()
{
    unsigned char record[kEventSize];
    for (;;) {
        ssize_t got = read(fd, record, sizeof record);
        if (got == ssize_t(sizeof record)) {
            ApplyEvent(record);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        // A failing read other than an empty queue means the device is gone
        // (ENODEV when unplugged): close it and wait for it to come back.
        if (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            CloseDevice();
            ClearDirections();
            lastAttempt = clock();
        }
        return;
    }
}

void Joystick::PollJoystick()
{
    if (Ready())
        Drain();
}

bool Joystick::JoystickLeft()
{
    PollJoystick();
    return opened && Shared().left;
}

bool Joystick::JoystickRight()
{
    PollJoystick();
    return opened && Shared().right;
}

bool Joystick::JoystickUp()
{
    PollJoystick();
    return opened && Shared().up;
}

bool Joystick::JoystickDown()
{
    PollJoystick();
    return opened && Shared().down;
}

bool Joystick::JoystickButton()
{
    PollJoystick();
    return opened && Shared().button;
}

int Joystick::JoystickButtonNumber()
{
    PollJoystick();
    return opened ? Shared().buttonNumber : 0;
}
