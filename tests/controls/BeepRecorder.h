// Hears the refused-key beep for real: "Data/beep.wav" is played by aplay,
// whose ALSA output a temporary HOME's .asoundrc pipes into a shell that notes
// one line per sound played (the device pads the samples, so their bytes are
// no count).
#pragma once

#include "tests/common/TempDir.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class BeepRecorder {
public:
    // folder is the test's working folder (entered); the beep goes under its Data/.
    explicit BeepRecorder(const TempDir& folder) : played(folder.File("beeps.txt"))
    {
        const char* oldHome = std::getenv("HOME");
        hadHome = oldHome != nullptr;
        if (hadHome)
            previousHome = oldHome;
        mkdir(folder.File("Data").c_str(), 0700);
        folder.Write("Data/beep.wav", Wav());
        folder.Write(".asoundrc", "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"| cat > /dev/null; echo beep >> '" +
                                      played + "'\"\n  format \"raw\"\n}\n");
        setenv("HOME", folder.Path().c_str(), 1);
    }
    ~BeepRecorder()
    {
        WaitForChildren();
        if (hadHome)
            setenv("HOME", previousHome.c_str(), 1);
        else
            unsetenv("HOME");
    }
    BeepRecorder(const BeepRecorder&) = delete;
    BeepRecorder& operator=(const BeepRecorder&) = delete;

    // Beeps heard so far, once every player started has finished.
    int Count() const
    {
        WaitForChildren();
        std::ifstream lines(played);
        int count = 0;
        for (std::string line; std::getline(lines, line);)
            count += line == "beep";
        return count;
    }

private:
    static constexpr int kSamples = 400;  // 50 ms at 8000 Hz
    static constexpr int kSampleBytes = kSamples * 2;

    static void Put(std::string& out, uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }

    static std::string Wav()
    {
        std::string wav = "RIFF";
        Put(wav, 36 + kSampleBytes, 4);
        wav += "WAVEfmt ";
        Put(wav, 16, 4);
        Put(wav, 1, 2);         // PCM
        Put(wav, 1, 2);         // mono
        Put(wav, 8000, 4);      // Hz
        Put(wav, 16000, 4);     // bytes per second
        Put(wav, 2, 2);         // block align
        Put(wav, 16, 2);        // bits per sample
        wav += "data";
        Put(wav, kSampleBytes, 4);
        for (int i = 0; i < kSamples; ++i)
            Put(wav, static_cast<uint16_t>((i % 40) * 500 - 10000), 2);
        return wav;
    }

    // Until every child of this process has ended (zombies count as ended:
    // the sound code reaps them itself), at most five seconds.
    static void WaitForChildren()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (AnyChildRunning() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    static bool AnyChildRunning()
    {
        std::ifstream children("/proc/self/task/" + std::to_string(getpid()) + "/children");
        pid_t child = 0;
        while (children >> child) {
            std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
            std::string line;
            std::getline(stat, line);
            const size_t close = line.rfind(')');
            if (close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z')
                return true;
        }
        return false;
    }

    std::string played;
    std::string previousHome;
    bool hadHome = false;
};
