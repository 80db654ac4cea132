// The WAV effects: canonical PCM headers that agree with the file, the
// lengths and loudness the game expects, and aplay playing each of them on
// ALSA's null device (which needs no sound card).
#include "tests/common/TempDir.h"
#include "tests/tools/GeneratedData.h"
#include "tools/artgen/Sounds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

uint32_t Le(const std::string& s, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(s[at + size_t(i)]);
    return v;
}

int16_t Sample(const std::string& wav, size_t i) { return int16_t(Le(wav, 44 + 2 * i, 2)); }

// Runs aplay on the file with the null device named on the command line and
// a private HOME, so no user configuration takes part; its exit status.
int PlayOnNullDevice(const std::string& path) {
    TempDir home;
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home.Path().c_str(), 1);
        execlp("aplay", "aplay", "-q", "-D", "null", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Sound {
    const char* name;
    double seconds;
};
const std::vector<Sound> kSounds = {{"beep.wav", 0.1}, {"ding.wav", 0.3}, {"urlo.wav", 0.8}};

}  // namespace

TEST(SoundFiles, HeadersDescribeSixteenBitMonoPcmAndMatchTheFile) {
    for (const Sound& s : kSounds) {
        SCOPED_TRACE(s.name);
        const std::string wav = GeneratedFile(s.name);
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(wav.substr(0, 4), "RIFF");
        EXPECT_EQ(Le(wav, 4, 4), wav.size() - 8);
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le(wav, 16, 4), 16u);       // fmt chunk size
        EXPECT_EQ(Le(wav, 20, 2), 1u);        // PCM
        EXPECT_EQ(Le(wav, 22, 2), 1u);        // mono
        EXPECT_EQ(Le(wav, 24, 4), 22050u);    // samples per second
        EXPECT_EQ(Le(wav, 28, 4), 44100u);    // bytes per second
        EXPECT_EQ(Le(wav, 32, 2), 2u);        // block align
        EXPECT_EQ(Le(wav, 34, 2), 16u);       // bits per sample
        EXPECT_EQ(wav.substr(36, 4), "data");
        EXPECT_EQ(Le(wav, 40, 4), wav.size() - 44);
    }
}

TEST(SoundFiles, LengthsLoudnessAndCleanEnds) {
    for (const Sound& s : kSounds) {
        SCOPED_TRACE(s.name);
        const std::string wav = GeneratedFile(s.name);
        ASSERT_GT(wav.size(), 44u);
        const size_t count = (wav.size() - 44) / 2;
        EXPECT_NEAR(double(count) / 22050, s.seconds, s.seconds * 0.1);
        int peak = 0;
        for (size_t i = 0; i < count; ++i) peak = std::max(peak, std::abs(int(Sample(wav, i))));
        EXPECT_GT(peak, 12000);  // clearly audible
        EXPECT_LT(peak, 32767);  // never clipped
        // Starting and ending near silence: no click.
        EXPECT_LT(std::abs(int(Sample(wav, 0))), 1000);
        EXPECT_LT(std::abs(int(Sample(wav, count - 1))), 1000);
    }
}

TEST(SoundFiles, CryFallsInPitch) {
    const std::string wav = GeneratedFile("urlo.wav");
    ASSERT_GT(wav.size(), 44u + 2 * 22050 * 7 / 10);
    // The period of a window: the shortest lag (1 to 9 ms) at which it matches
    // itself nearly as well as at its best lag, so multiples are not taken.
    auto period = [&wav](size_t from) {
        std::vector<double> score(200, 0.0);
        double best = 0;
        for (size_t lag = 22; lag < score.size(); ++lag) {
            for (size_t i = from; i < from + 1500; ++i) score[lag] += double(Sample(wav, i)) * Sample(wav, i + lag);
            best = std::max(best, score[lag]);
        }
        for (size_t lag = 22; lag + 1 < score.size(); ++lag)
            if (score[lag] >= 0.9 * best && score[lag] >= score[lag - 1] && score[lag] >= score[lag + 1]) return lag;
        return size_t(0);
    };
    const size_t early = period(22050 * 5 / 100), late = period(22050 * 60 / 100);
    ASSERT_GT(early, 0u);
    // An octave and more lower by the end: the period at least doubles.
    EXPECT_GE(late, 2 * early) << early << " then " << late << " samples";
}

TEST(SoundFiles, AplayPlaysEachFileOnTheNullDevice) {
    for (const Sound& s : kSounds)
        EXPECT_EQ(PlayOnNullDevice(GeneratedDataFolder() + "/" + s.name), 0) << s.name;
}

TEST(SoundFiles, AplayFailureIsSeenByThePlayCheck) {
    TempDir dir;
    EXPECT_NE(PlayOnNullDevice(dir.File("missing.wav")), 0);
}

TEST(SoundFiles, EncoderWritesLittleEndianSamplesAfterTheHeader) {
    const std::string wav = artgen::EncodeWav({1, -2, 0x1234}, 8000);
    ASSERT_EQ(wav.size(), 44u + 6u);
    EXPECT_EQ(Le(wav, 24, 4), 8000u);
    EXPECT_EQ(Le(wav, 28, 4), 16000u);
    EXPECT_EQ(wav.substr(44), std::string("\x01\x00\xfe\xff\x34\x12", 6));
}
