// The joystick as a second way to steer: a Linux joystick device
// ("/dev/input/js<n>") read without blocking, its axis events turned into four
// direction flags through the ranges of the calibration file "joystick.cfg".
//
// The calibration is read once per process (the file is written with defaults
// when missing), and the direction flags are shared by every Joystick and
// outlive them. One Joystick can be kept for the whole game: while no device
// is open it tries again about once a second, silently, so a joystick plugged
// in during play starts working, and one pulled out (a failing read) is closed
// and waited for in the same way. A failed open or a lost device clears the
// four direction flags. "Could not open joystick. Use the cursor keys to
// move." is written once, and again only after a device had been opened and
// was lost.
#pragma once

#include <cstdint>
#include <string>

// The calibration settings; -1 means not given (or not loaded yet). The
// names are the keys of the file, spelled as the file spells them.
struct JoystickSettings {
    int32_t JoystickEnable = -1;    // 0 or -1: never open a device
    int32_t AixsXCfg = -1;          // axis number of the horizontal axis
    int32_t AixsYCfg = -1;          // axis number of the vertical axis
    int32_t MinValueLeftCfg = -1;
    int32_t MaxValueLeftCfg = -1;
    int32_t MinValueRightCfg = -1;
    int32_t MaxValueRightCfg = -1;
    int32_t MinValueUpCfg = -1;
    int32_t MaxValueUpCfg = -1;
    int32_t MinValueDownCfg = -1;
    int32_t MaxValueDownCfg = -1;
};

// The calibration file's name, in the working folder.
constexpr const char* kJoystickConfigFile = "joystick.cfg";

// Writes the eleven default lines, replacing the file; false when it fails.
bool WriteDefaultJoystickSettings(const std::string& path);
// Reads "key=value" lines (blanks around both trimmed, malformed lines and
// unknown keys skipped, a repeated key keeps its last value, a value that does
// not fit 32 bits logged and skipped), then logs
// "Reading file <path>" and one "<key>= <value>" line per setting.
JoystickSettings ReadJoystickSettings(const std::string& path);

class Joystick {
public:
    // Milliseconds on a clock that never goes back; a seam for tests.
    using Clock = int64_t (*)();

    static constexpr const char* kDevicePrefix = "/dev/input/js";
    static constexpr int64_t kRetryInterval = 1000;   // ms between open attempts

    // The first device ("/dev/input/js0").
    Joystick();
    // Device index n opens "/dev/input/js<n>"; -1 the first device.
    explicit Joystick(int index);
    // As above with another device name prefix and clock (tests).
    Joystick(int index, std::string devicePrefix, Clock clock);
    ~Joystick();
    Joystick(const Joystick&) = delete;
    Joystick& operator=(const Joystick&) = delete;

    // Loads the calibration if needed and opens the device; logs a failure to
    // open unless one was logged already since the last successful open.
    void JoystickOpen(int index);

    // Drains the waiting events; while closed, retries the open when due.
    void PollJoystick();
    // False while no device is open; otherwise drain, then the flag.
    bool JoystickLeft();
    bool JoystickRight();
    bool JoystickUp();
    bool JoystickDown();
    bool JoystickButton();
    int JoystickButtonNumber();

    bool IsOpened() const { return opened; }

    // The calibration in use by every Joystick (all -1 before the first open).
    static const JoystickSettings& Settings();
    // Back to the state at process start: calibration not loaded, flags clear,
    // no failure logged. For tests, and to take up an edited file.
    static void ResetShared();

private:
    bool Ready();
    bool OpenDevice();
    void CloseDevice();
    void Drain();

    int index;
    std::string devicePrefix;
    Clock clock;
    bool opened = false;
    int fd = -1;
    int64_t lastAttempt = 0;   // clock() of the last open attempt
};
