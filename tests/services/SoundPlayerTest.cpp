// Sounds through the real aplay, on ALSA's null device: a private HOME holds
// an .asoundrc that makes the default device a file plugin in front of the
// null device, so the samples aplay played can be checked afterwards, or a
// sink that only starts taking samples after a second, so a sound lasts.
#include "services/ChildProcess.h"
#include "services/SoundPlayer.h"
#include "support/FileUtil.h"
#include "tests/common/TempDir.h"
#include "tests/common/ChildWatch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <cstdint>
#include <memory>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSampleRate = 8000;   // Hz, mono, 16-bit

void PutLE(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

std::string Samples(int count)
{
    std::string data;
    for (int i = 0; i < count; ++i)
        PutLE(data, uint32_t(int16_t((i % 40) * 500 - 10000)) & 0xFFFF, 2);
    return data;
}

// A PCM WAV file holding data as its samples.
std::string Wav(const std::string& data)
{
    std::string wav = "RIFF";
    PutLE(wav, uint32_t(36 + data.size()), 4);
    wav += "WAVEfmt ";
    PutLE(wav, 16, 4);
    PutLE(wav, 1, 2);                 // PCM
    PutLE(wav, 1, 2);                 // channels
    PutLE(wav, kSampleRate, 4);
    PutLE(wav, kSampleRate * 2, 4);   // bytes per second
    PutLE(wav, 2, 2);                 // block align
    PutLE(wav, 16, 2);                // bits per sample
    wav += "data";
    PutLE(wav, uint32_t(data.size()), 4);
    return wav + data;
}

// Reaps pid within a generous bound; -1 (after killing it) when it did not end.
int ReapWithin(pid_t pid, int timeoutMs)
{
    int status = 0;
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        usleep(10 * 1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

constexpr int kEndWaitMs = 30000;

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Enter();
        ASSERT_EQ(mkdir("Data", 0777), 0);
        home = std::make_unique<ScopedEnv>("HOME", dir.Path());
        // Each test looks for the player on its own PATH.
        ForgetSoundPlayerLookup();
    }
    void TearDown() override { ForgetSoundPlayerLookup(); }

    // aplay's samples end up in the file "played.raw".
    void UseRecordingDevice()
    {
        dir.Write(".asoundrc", "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" +
                                   dir.File("played.raw") + "\"\n  format \"raw\"\n}\n");
    }

    // The sink takes nothing for a second, so a sound bigger than a pipe's
    // buffer keeps its aplay busy at least that long; then every aplay's
    // samples are appended to "played.raw".
    void UseSlowDevice()
    {
        dir.Write(".asoundrc", "pcm.!default {\n  type file\n  slave.pcm \"null\"\n"
                               "  file \"| sleep 1; cat >> '" + dir.File("played.raw") +
                                   "'\"\n  format \"raw\"\n}\n");
    }

    TempDir dir;
    std::unique_ptr<ScopedEnv> home;
};

TEST_F(SoundTest, MissingFileLogsItsPathAndStartsNothing)
{
    SoundPlayer player;
    player.PlaySound("Data/ding.wav", false);
    EXPECT_EQ(dir.Read("log.txt"), "Data/ding.wav non trovato.\n");
    EXPECT_EQ(player.Pid(), 0);
    EXPECT_FALSE(player.IsPlaying());

    player.PlaySoundAndWait("Data/urlo.wav");
    EXPECT_EQ(dir.Read("log.txt"), "Data/ding.wav non trovato.\nData/urlo.wav non trovato.\n");

    // A missing beep is silent in every way.
    PlayBeep();
    EXPECT_EQ(dir.Read("log.txt"), "Data/ding.wav non trovato.\nData/urlo.wav non trovato.\n");
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(SoundTest, PathWithBlanksAndShellCharactersPlaysAsOneArgument)
{
    UseRecordingDevice();
    const std::string samples = Samples(kSampleRate / 4);
    const std::string path = "Data/my ding; touch hacked $(touch hacked2) 'q'.wav";
    dir.Write(path, Wav(samples));

    SoundPlayer player;
    player.PlaySound(path, false);
    ASSERT_TRUE(player.IsPlaying());
    ASSERT_GT(player.Pid(), 0);
    int status = ReapAndGetStatus(player.Pid());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    EXPECT_EQ(ReadFileBytes(dir.File("played.raw")), samples);
    EXPECT_FALSE(FileExists(dir.File("hacked")));
    EXPECT_FALSE(FileExists(dir.File("hacked2")));
    EXPECT_FALSE(FileExists(dir.File("log.txt")));
}

TEST_F(SoundTest, RunCommandReportsTheStatus)
{
    UseRecordingDevice();
    dir.Write("Data/a b.wav", Wav(Samples(100)));
    EXPECT_FALSE(RunCommand("aplay", "Data/a b.wav"));
    EXPECT_TRUE(RunCommand("aplay", "Data/a"));   // the first word alone is no file
    EXPECT_TRUE(RunCommand("no-such-program-here", "x"));
}

TEST_F(SoundTest, PlaySoundAndWaitHasPlayedWhenItReturns)
{
    UseRecordingDevice();
    const std::string samples = Samples(kSampleRate / 8);
    dir.Write("Data/urlo.wav", Wav(samples));
    SoundPlayer player;
    player.PlaySoundAndWait("Data/urlo.wav");
    EXPECT_EQ(ReadFileBytes(dir.File("played.raw")), samples);
    EXPECT_FALSE(player.IsPlaying());
}

// Makes this process the reaper of its orphaned grandchildren (the aplays of
// a sound child that was ended) for one scope, whatever way it is left.
class SubreaperScope {
public:
    SubreaperScope() : set(prctl(PR_SET_CHILD_SUBREAPER, 1) == 0) {}
    ~SubreaperScope() { prctl(PR_SET_CHILD_SUBREAPER, 0); }
    SubreaperScope(const SubreaperScope&) = delete;
    SubreaperScope& operator=(const SubreaperScope&) = delete;
    const bool set;
};

// Reaps every child of this process within a generous bound; false when some
// still run at the limit.
constexpr int kAllSoundsEndMs = 60000;  // the slow device plays a 10 s sound in about that

bool ReapAllWithin(int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        pid_t result = 0;
        while ((result = waitpid(-1, nullptr, WNOHANG)) > 0) {
        }
        if (result < 0 && errno == ECHILD)
            return true;
        usleep(10 * 1000);
    }
    return false;
}

TEST_F(SoundTest, SecondSoundEndsTheFirstChildWithSigterm)
{
    // The aplay of the ended child plays on, orphaned: collect it here
    // instead of leaving it to whatever runs as process 1.
    const SubreaperScope subreaper;
    ASSERT_TRUE(subreaper.set);
    UseSlowDevice();
    const std::string samples = Samples(kSampleRate * 10);   // 160 KB, above a pipe's 64 KB
    dir.Write("Data/ding.wav", Wav(samples));

    SoundPlayer player;
    player.PlaySound("Data/ding.wav", false);
    const pid_t first = player.Pid();
    ASSERT_GT(first, 0);
    usleep(300 * 1000);   // the first aplay is under way, held up by the sink
    player.PlaySound("Data/ding.wav", false);
    const pid_t second = player.Pid();
    ASSERT_GT(second, 0);
    EXPECT_NE(first, second);
    EXPECT_TRUE(player.IsPlaying());

    int status = ReapAndGetStatus(first);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);

    // The second coin's ding plays to its end.
    status = ReapAndGetStatus(second);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    // The first aplay was not signalled: the two dings overlapped and both
    // reached the device whole.
    EXPECT_TRUE(ReapAllWithin(kAllSoundsEndMs));
    EXPECT_EQ(ReadFileBytes(dir.File("played.raw")).size(), 2 * samples.size());
}

TEST_F(SoundTest, SoundReplacedAtOnceStillPlays)
{
    // Two coins in one step: the first child is signalled right after its
    // fork, before it could have started its aplay.
    const SubreaperScope subreaper;
    ASSERT_TRUE(subreaper.set);
    UseSlowDevice();
    const std::string samples = Samples(kSampleRate / 2);
    dir.Write("Data/ding.wav", Wav(samples));

    SoundPlayer player;
    player.PlaySound("Data/ding.wav", false);
    const pid_t first = player.Pid();
    player.PlaySound("Data/ding.wav", false);
    ASSERT_GT(first, 0);
    int status = ReapAndGetStatus(first);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);

    EXPECT_TRUE(ReapAllWithin(kAllSoundsEndMs));
    EXPECT_EQ(ReadFileBytes(dir.File("played.raw")).size(), 2 * samples.size());
}

TEST_F(SoundTest, StopSoundEndsTheChildAndKeepsTheFields)
{
    const SubreaperScope subreaper;
    ASSERT_TRUE(subreaper.set);
    UseSlowDevice();
    dir.Write("Data/ding.wav", Wav(Samples(kSampleRate * 10)));
    SoundPlayer player;
    player.PlaySound("Data/ding.wav", true);
    const pid_t child = player.Pid();
    ASSERT_GT(child, 0);
    player.StopSound();
    EXPECT_EQ(player.Pid(), child);
    EXPECT_TRUE(player.IsPlaying());
    int status = ReapAndGetStatus(child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    // Reaped: a second stop must not signal a number the system may reuse.
    player.StopSound();
    EXPECT_TRUE(ReapAllWithin(kAllSoundsEndMs));
}

TEST_F(SoundTest, EndedSoundsLeaveNoZombie)
{
    UseRecordingDevice();
    dir.Write("Data/ding.wav", Wav(Samples(kSampleRate / 20)));
    dir.Write("Data/beep.wav", Wav(Samples(kSampleRate / 20)));
    {
        SoundPlayer player;
        for (int coin = 0; coin < 5; ++coin) {
            player.PlaySound("Data/ding.wav", false);
            const pid_t child = player.Pid();
            ASSERT_TRUE(WaitUntilEnded(child));
            // The ended child waits as a zombie until the next sound starts.
            EXPECT_EQ(CountZombieChildren(), 1);
        }
        // Starting the beep collected the last ding: once the beep has ended
        // too, it is the one zombie left, until the player's end collects it.
        PlayBeep();
        siginfo_t info{};
        ASSERT_EQ(waitid(P_ALL, 0, &info, WEXITED | WNOWAIT), 0);
        EXPECT_EQ(CountZombieChildren(), 1);
    }
    EXPECT_EQ(CountZombieChildren(), 0);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(SoundTest, RepeatingSoundStopsWhenThePlayerFails)
{
    // aplay cannot open a sound card that is not there: the repetition must
    // end instead of starting aplay again and again.
    dir.Write(".asoundrc", "pcm.!default {\n  type hw\n  card 99\n}\n");
    dir.Write("Data/ding.wav", Wav(Samples(kSampleRate / 20)));
    SoundPlayer player;
    player.PlaySound("Data/ding.wav", true);
    const pid_t child = player.Pid();
    ASSERT_GT(child, 0);
    const int status = ReapWithin(child, kEndWaitMs);
    ASSERT_NE(status, -1) << "the repeating child went on after aplay failed";
    EXPECT_TRUE(WIFEXITED(status));
}

TEST_F(SoundTest, DestroyingThePlayerEndsARepeatingSoundOnly)
{
    const SubreaperScope subreaper;
    ASSERT_TRUE(subreaper.set);
    UseSlowDevice();
    dir.Write("Data/ding.wav", Wav(Samples(kSampleRate * 10)));
    pid_t repeating = 0, once = 0;
    {
        SoundPlayer music;
        music.PlaySound("Data/ding.wav", true);
        repeating = music.Pid();
        SoundPlayer effect;
        effect.PlaySound("Data/ding.wav", false);
        once = effect.Pid();
    }
    ASSERT_GT(repeating, 0);
    ASSERT_GT(once, 0);
    // The repeating sound's child was ended and reaped by its player: no
    // zombie is left, and there is nothing for anyone else to collect.
    errno = 0;
    EXPECT_EQ(waitpid(repeating, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    // The sound played once is left to finish: it is still running here.
    EXPECT_EQ(waitpid(once, nullptr, WNOHANG), 0);
    kill(once, SIGTERM);
    EXPECT_TRUE(ReapAllWithin(kEndWaitMs));
}

} // namespace

namespace {

// The process's standard output and error go to a file while it lives.
class TerminalCapture {
public:
    explicit TerminalCapture(const std::string& file)
    {
        fflush(stdout);
        fflush(stderr);
        savedOut = dup(STDOUT_FILENO);
        savedErr = dup(STDERR_FILENO);
        const int terminal = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_GE(terminal, 0);
        dup2(terminal, STDOUT_FILENO);
        dup2(terminal, STDERR_FILENO);
        close(terminal);
    }
    ~TerminalCapture()
    {
        dup2(savedOut, STDOUT_FILENO);
        dup2(savedErr, STDERR_FILENO);
        close(savedOut);
        close(savedErr);
    }
    TerminalCapture(const TerminalCapture&) = delete;
    TerminalCapture& operator=(const TerminalCapture&) = delete;

private:
    int savedOut = -1;
    int savedErr = -1;
};

}  // namespace

// Without a sound card aplay fills the terminal with ALSA's complaints: the
// sound children write nothing to the game's standard output or error, nor
// does the player of a sound waited for.
TEST_F(SoundTest, SoundChildrenWriteNothingToTheTerminal)
{
    dir.Write(".asoundrc", "pcm.!default {\n  type hw\n  card 97\n}\n");  // no such card
    dir.Write("Data/ding.wav", Wav(Samples(kSampleRate / 10)));
    dir.Write("Data/beep.wav", Wav(Samples(kSampleRate / 10)));
    {
        const TerminalCapture capture(dir.File("terminal.txt"));
        SoundPlayer player;
        player.PlaySound("Data/ding.wav", false);
        PlayBeep();
        while (wait(nullptr) > 0) {
        }
        player.PlaySoundAndWait("Data/ding.wav");
    }
    EXPECT_EQ(dir.Read("terminal.txt"), "");

    // aplay does complain when its output is left alone.
    std::string said;
    if (FILE* aplay = popen("aplay Data/ding.wav 2>&1", "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, aplay) != nullptr)
            said += buffer;
        pclose(aplay);
    }
    EXPECT_NE(said.find("aplay"), std::string::npos) << said;
}

TEST_F(SoundTest, AMissingPlayerIsLoggedOnceAndStartsNothing)
{
    dir.Write("Data/ding.wav", Wav(Samples(kSampleRate / 10)));
    dir.Write("Data/beep.wav", Wav(Samples(kSampleRate / 10)));
    ASSERT_EQ(mkdir("bin", 0777), 0);
    ScopedEnv path("PATH", dir.File("bin"));
    SoundPlayer player;
    {
        // A player started in spite of it would say it cannot be started.
        const TerminalCapture capture(dir.File("terminal.txt"));
        for (int i = 0; i < 3; ++i) {
            player.PlaySound("Data/ding.wav", false);
            PlayBeep();
            player.PlaySoundAndWait("Data/ding.wav");
        }
    }
    EXPECT_EQ(dir.Read("log.txt"), "aplay not found: sounds are not played.\n");
    EXPECT_EQ(dir.Read("terminal.txt").find("cannot be started"), std::string::npos) << dir.Read("terminal.txt");
    EXPECT_FALSE(player.IsPlaying());
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    // The answer is kept: a player put on PATH now is not seen until the
    // lookup is forgotten.
    dir.Write("bin/aplay", "#!/bin/sh\necho \"$1\" >> played.txt\n");
    ASSERT_EQ(chmod("bin/aplay", 0755), 0);
    player.PlaySoundAndWait("Data/ding.wav");
    EXPECT_FALSE(FileExists("played.txt"));
    ForgetSoundPlayerLookup();
    player.PlaySoundAndWait("Data/ding.wav");
    EXPECT_EQ(dir.Read("played.txt"), "Data/ding.wav\n");
}
