// The fuzz targets' bodies, shared by the libFuzzer programs (built with
// clang on request, see tests/CMakeLists.txt) and the seeded runs of
// test_fuzz. Each takes one input, runs it through the real code in the
// working folder, and traps when an invariant breaks; under the sanitizers
// any read or write out of bounds is a report of its own.
#pragma once

#include <cstddef>
#include <cstdint>

// Input: the bytes of "Classifica.txt", then the table is loaded, a result
// added and the lines saved again (in "Data/..." under the working folder).
void FuzzScoreTable(const uint8_t* data, size_t size);
// Input: two bytes giving the length of a "joystick.cfg" text that follows,
// then joystick event records fed to a device stand-in (a FIFO).
void FuzzJoystickConfig(const uint8_t* data, size_t size);
// Input: a width and a height byte, a pixel layout byte, then the bytes of a
// ".bin" picture, which is read and packed into pixels of that layout.
void FuzzBinPicture(const uint8_t* data, size_t size);

// Traps: libFuzzer and the seeded runs both see a crash.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition))     \
            __builtin_trap(); \
    } while (false)
