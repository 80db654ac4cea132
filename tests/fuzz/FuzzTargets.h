// The fuzz targets' bodies, shared by the libFuzzer programs (built with
// clang on request, see tests/CMakeLists.txt) and the seeded runs of
// test_fuzz. Each takes one input, runs it through the real code in the
// working folder, and traps when an invariant breaks; under the sanitizers
// any read or write out of bounds is a report of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Input: the bytes of "Classifica.txt", then the table is loaded, a result
// added and the lines saved again (in "Data/..." under the working folder).
void FuzzScoreTable(const uint8_t* data, size_t size);
// Input: two bytes giving the length of a "joystick.cfg" text that follows,
// then joystick event records fed to a device stand-in (a FIFO).
void FuzzJoystickConfig(const uint8_t* data, size_t size);
// Input: a width and a height byte, a pixel layout byte, then the bytes of a
// ".bin" picture, which is read and packed into pixels of that layout.
void FuzzBinPicture(const uint8_t* data, size_t size);
// Input: the bytes of a recorded game, read, replayed through a world,
// written again and read back.
void FuzzRecording(const uint8_t* data, size_t size);

// The input a seeded run is on, so a failing one can be shown and repeated
// (libFuzzer keeps its own crashing inputs). Empty outside a seeded run.
struct FuzzInput {
    bool set = false;
    const uint8_t* data = nullptr;
    size_t size = 0;
};
inline FuzzInput currentFuzzInput;

// Names the broken check and writes the current input in hexadecimal to
// standard error, then traps: libFuzzer and the seeded runs both see a crash.
[[noreturn]] inline void FuzzCheckFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
    if (currentFuzzInput.set) {
        std::fprintf(stderr, "input (%zu bytes, hex): ", currentFuzzInput.size);
        for (size_t i = 0; i < currentFuzzInput.size; ++i)
            std::fprintf(stderr, "%02x", currentFuzzInput.data[i]);
        std::fprintf(stderr, "\n");
    }
    std::fflush(stderr);
    __builtin_trap();
}

#define FUZZ_CHECK(condition)                                    \
    do {                                                         \
        if (!(condition))                                        \
            FuzzCheckFailed(#condition, __FILE__, __LINE__);     \
    } while (false)
