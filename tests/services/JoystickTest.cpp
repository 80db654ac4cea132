// The joystick reader against its calibration file and a device stand-in: a
// FIFO where the device would be, fed with 8-byte event records.
#include "services/Joystick.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int64_t fakeNow = 0;   // ms
int64_t FakeClock() { return fakeNow; }

constexpr const char* kDefaultFile =
    "JoystickEnable= 1\nAixsXCfg= 0\nAixsYCfg= 1\nMinValueLeftCfg= -32767\nMaxValueLeftCfg= -1\n"
    "MinValueRightCfg= 1\nMaxValueRightCfg= 32767\nMinValueUpCfg= -32767\nMaxValueUpCfg= -1\n"
    "MinValueDownCfg= 1\nMaxValueDownCfg= 32767\n";
constexpr const char* kOpenFailure = "Could not open joystick. Use the cursor keys to move.\n";

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Enter();
        Joystick::ResetShared();
        fakeNow = 100000;
        prefix = dir.File("js");
    }
    void TearDown() override
    {
        if (writer >= 0)
            close(writer);
        Joystick::ResetShared();
    }

    void MakeDevice() { ASSERT_EQ(mkfifo((prefix + "0").c_str(), 0600), 0); }
    void OpenWriter()
    {
        writer = open((prefix + "0").c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(writer, 0);
    }
    void Send(int16_t value, uint8_t type, uint8_t number)
    {
        const uint32_t time = 12345;
        unsigned char record[8] = {
            uint8_t(time), uint8_t(time >> 8), uint8_t(time >> 16), uint8_t(time >> 24),
            uint8_t(uint16_t(value)), uint8_t(uint16_t(value) >> 8), type, number};
        ASSERT_EQ(write(writer, record, sizeof record), ssize_t(sizeof record));
    }
    std::string Log() const { return dir.Read("log.txt"); }

    TempDir dir;
    std::string prefix;
    int writer = -1;
};

TEST_F(JoystickTest, MissingFileIsWrittenWithDefaultsThenReadAndLogged)
{
    Joystick joystick(-1, prefix, FakeClock);
    EXPECT_EQ(dir.Read("joystick.cfg"), kDefaultFile);
    EXPECT_EQ(Log(), std::string("Reading file joystick.cfg\n") + kDefaultFile + kOpenFailure);
    EXPECT_FALSE(joystick.IsOpened());
    EXPECT_FALSE(joystick.JoystickLeft());
    EXPECT_EQ(Joystick::Settings().MinValueLeftCfg, -32767);
    EXPECT_EQ(Joystick::Settings().MaxValueDownCfg, 32767);
}

TEST_F(JoystickTest, SettingsAreReadOncePerProcess)
{
    dir.Write("joystick.cfg", "JoystickEnable= 0\n");
    { Joystick first(-1, prefix, FakeClock); }
    dir.Write("joystick.cfg", "JoystickEnable= 1\n");
    Joystick second(-1, prefix, FakeClock);
    EXPECT_EQ(Joystick::Settings().JoystickEnable, 0);
    EXPECT_EQ(Count(Log(), "Reading file "), 1);
}

TEST_F(JoystickTest, LinesAreTrimmedMalformedOnesSkippedLaterOnesWin)
{
    dir.Write("joystick.cfg",
              "  MaxValueLeftCfg = -500 \n"
              "AixsXCfg=\n"
              "MinValueRightCfg=5=6\n"
              "AixsYCfg= 3\n"
              "AixsYCfg= 4\n"
              "aixsxcfg= 7\n"
              "Unknown= 9\n"
              "MaxValueDownCfg= 12abc\n"
              "MinValueDownCfg= abc\n"
              "no separator here\n");
    JoystickSettings settings = ReadJoystickSettings("joystick.cfg");
    EXPECT_EQ(settings.MaxValueLeftCfg, -500);
    EXPECT_EQ(settings.AixsXCfg, -1);
    EXPECT_EQ(settings.MinValueRightCfg, -1);
    EXPECT_EQ(settings.AixsYCfg, 4);
    EXPECT_EQ(settings.MaxValueDownCfg, 12);
    EXPECT_EQ(settings.MinValueDownCfg, 0);
    EXPECT_EQ(settings.JoystickEnable, -1);
    EXPECT_EQ(Log(),
              "Reading file joystick.cfg\nJoystickEnable= -1\nAixsXCfg= -1\nAixsYCfg= 4\n"
              "MinValueLeftCfg= -1\nMaxValueLeftCfg= -500\nMinValueRightCfg= -1\n"
              "MaxValueRightCfg= -1\nMinValueUpCfg= -1\nMaxValueUpCfg= -1\nMinValueDownCfg= 0\n"
              "MaxValueDownCfg= 12\n");
}

TEST_F(JoystickTest, ValuesBeyond32BitsAreRefusedNotWrapped)
{
    dir.Write("joystick.cfg",
              "MaxValueLeftCfg= 4294967295\n"
              "MinValueLeftCfg= -2147483649\n"
              "MaxValueRightCfg= 99999999999999999999999\n"
              "AixsXCfg= 2147483647\n"
              "AixsYCfg= -2147483648\n");
    JoystickSettings settings = ReadJoystickSettings("joystick.cfg");
    EXPECT_EQ(settings.MaxValueLeftCfg, -1);
    EXPECT_EQ(settings.MinValueLeftCfg, -1);
    EXPECT_EQ(settings.MaxValueRightCfg, -1);
    EXPECT_EQ(settings.AixsXCfg, INT32_MAX);
    EXPECT_EQ(settings.AixsYCfg, INT32_MIN);
    EXPECT_EQ(Log().substr(0, Log().find("Reading file")),
              "joystick.cfg: MaxValueLeftCfg= 4294967295 does not fit 32 bits, ignored\n"
              "joystick.cfg: MinValueLeftCfg= -2147483649 does not fit 32 bits, ignored\n"
              "joystick.cfg: MaxValueRightCfg= 99999999999999999999999 does not fit 32 bits, ignored\n");
}

TEST_F(JoystickTest, DisabledInTheFileOpensNothingAndLogsNoFailure)
{
    MakeDevice();
    dir.Write("joystick.cfg", "JoystickEnable= 0\n");
    Joystick joystick(-1, prefix, FakeClock);
    for (int poll = 0; poll < 300; ++poll) {
        fakeNow += 10;
        EXPECT_FALSE(joystick.JoystickLeft());
    }
    EXPECT_FALSE(joystick.IsOpened());
    EXPECT_EQ(Count(Log(), "Could not open"), 0);
    EXPECT_EQ(Count(Log(), "Reading file joystick.cfg\n"), 1);
}

TEST_F(JoystickTest, AxisEventsSetOneDirection)
{
    dir.Write("joystick.cfg", kDefaultFile);
    MakeDevice();
    Joystick joystick(-1, prefix, FakeClock);
    ASSERT_TRUE(joystick.IsOpened());
    OpenWriter();

    Send(-300, 2, 0);
    EXPECT_TRUE(joystick.JoystickLeft());
    EXPECT_FALSE(joystick.JoystickRight());
    EXPECT_FALSE(joystick.JoystickUp());
    EXPECT_FALSE(joystick.JoystickDown());

    Send(0, 2, 1);   // the vertical axis at rest clears all four
    EXPECT_FALSE(joystick.JoystickLeft());
    EXPECT_FALSE(joystick.JoystickUp());
    EXPECT_FALSE(joystick.JoystickDown());

    Send(20000, 2, 1);
    EXPECT_TRUE(joystick.JoystickDown());
    Send(-300, 0x82, 0);   // an initial-state report changes nothing
    EXPECT_TRUE(joystick.JoystickDown());
    EXPECT_FALSE(joystick.JoystickLeft());

    // Several records queued at once: the last axis moved wins.
    Send(5, 2, 0);
    Send(-7, 2, 1);
    EXPECT_TRUE(joystick.JoystickUp());
    EXPECT_FALSE(joystick.JoystickRight());

    Send(100, 2, 5);   // an axis that is neither clears them too
    EXPECT_FALSE(joystick.JoystickUp());

    EXPECT_FALSE(joystick.JoystickButton());
    Send(1, 0x81, 2);
    EXPECT_FALSE(joystick.JoystickButton());
    Send(1, 1, 3);
    EXPECT_TRUE(joystick.JoystickButton());
    EXPECT_EQ(joystick.JoystickButtonNumber(), 3);
    Send(0, 1, 3);   // a release does not clear it
    EXPECT_TRUE(joystick.JoystickButton());
    EXPECT_EQ(Count(Log(), "Could not open"), 0);
}

TEST_F(JoystickTest, DirectionsOutliveTheObject)
{
    dir.Write("joystick.cfg", kDefaultFile);
    MakeDevice();
    {
        Joystick joystick(-1, prefix, FakeClock);
        OpenWriter();
        Send(30000, 2, 0);
        EXPECT_TRUE(joystick.JoystickRight());
        close(writer);
        writer = -1;
    }
    Joystick again(-1, prefix, FakeClock);
    EXPECT_TRUE(again.JoystickRight());
}

TEST_F(JoystickTest, LostAndFoundDeviceStartsWithNoDirection)
{
    // The game makes a Joystick for each poll: a lost device shows as a
    // failed open, a found one as a successful open whose initial-state
    // reports are not applied.
    dir.Write("joystick.cfg", kDefaultFile);
    MakeDevice();
    {
        Joystick joystick(-1, prefix, FakeClock);
        OpenWriter();
        Send(30000, 2, 0);
        EXPECT_TRUE(joystick.JoystickRight());
        close(writer);
        writer = -1;
    }
    ASSERT_EQ(unlink((prefix + "0").c_str()), 0);
    {
        Joystick lost(-1, prefix, FakeClock);
        EXPECT_FALSE(lost.IsOpened());
    }
    MakeDevice();
    Joystick found(-1, prefix, FakeClock);
    ASSERT_TRUE(found.IsOpened());
    OpenWriter();
    Send(30000, 0x82, 0);
    EXPECT_FALSE(found.JoystickRight());
    EXPECT_FALSE(found.JoystickLeft());
}

TEST_F(JoystickTest, DeviceIndexNamesTheDevice)
{
    dir.Write("joystick.cfg", kDefaultFile);
    ASSERT_EQ(mkfifo((prefix + "3").c_str(), 0600), 0);
    Joystick third(3, prefix, FakeClock);
    EXPECT_TRUE(third.IsOpened());
    Joystick first(-1, prefix, FakeClock);
    EXPECT_FALSE(first.IsOpened());
}

TEST_F(JoystickTest, DeviceIsCloseOnExec)
{
    dir.Write("joystick.cfg", kDefaultFile);
    MakeDevice();
    Joystick joystick(-1, prefix, FakeClock);
    ASSERT_TRUE(joystick.IsOpened());
    int found = 0;
    for (int fd = 3; fd < 1024; ++fd) {
        char link[4096];
        std::string name = "/proc/self/fd/" + std::to_string(fd);
        ssize_t n = readlink(name.c_str(), link, sizeof link - 1);
        if (n <= 0 || std::string(link, size_t(n)) != prefix + "0")
            continue;
        ++found;
        EXPECT_NE(fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
    }
    EXPECT_EQ(found, 1);
}

TEST_F(JoystickTest, MissingDeviceIsLoggedOnceAndRetriedEverySecond)
{
    dir.Write("joystick.cfg", kDefaultFile);
    Joystick joystick(-1, prefix, FakeClock);
    for (int poll = 0; poll < 500; ++poll) {   // five seconds of 10 ms polls
        fakeNow += 10;
        EXPECT_FALSE(joystick.JoystickLeft());
        EXPECT_FALSE(joystick.JoystickDown());
    }
    EXPECT_EQ(Count(Log(), kOpenFailure), 1);

    // Plugged in: taken up at the next retry, not before.
    MakeDevice();
    fakeNow += 10;
    joystick.PollJoystick();
    EXPECT_FALSE(joystick.IsOpened());   // the last attempt was 10 ms ago
    const int64_t plugged = fakeNow;
    while (!joystick.IsOpened() && fakeNow - plugged < 2000) {
        fakeNow += 10;
        joystick.PollJoystick();
    }
    ASSERT_TRUE(joystick.IsOpened());
    EXPECT_LE(fakeNow - plugged, Joystick::kRetryInterval);
    OpenWriter();
    Send(-1, 2, 1);
    EXPECT_TRUE(joystick.JoystickUp());
    EXPECT_EQ(Count(Log(), kOpenFailure), 1);
}

TEST_F(JoystickTest, FailingReadClosesTheDeviceUntilItComesBack)
{
    dir.Write("joystick.cfg", kDefaultFile);
    // A folder opens read-only like a device, and reading it fails (EISDIR)
    // as reading an unplugged joystick does (ENODEV).
    const std::string device = prefix + "0";
    ASSERT_EQ(mkdir(device.c_str(), 0700), 0);
    Joystick joystick(-1, prefix, FakeClock);
    ASSERT_TRUE(joystick.IsOpened());
    EXPECT_FALSE(joystick.JoystickLeft());
    EXPECT_FALSE(joystick.IsOpened());

    // Gone for good: the failure to reopen is told once.
    ASSERT_EQ(rmdir(device.c_str()), 0);
    for (int poll = 0; poll < 300; ++poll) {
        fakeNow += 10;
        joystick.PollJoystick();
    }
    EXPECT_EQ(Count(Log(), kOpenFailure), 1);

    MakeDevice();
    fakeNow += Joystick::kRetryInterval;
    joystick.PollJoystick();
    EXPECT_TRUE(joystick.IsOpened());
}

} // namespace
