// The sound effects, synthesised: 16-bit mono PCM at 22,050 Hz in a plain
// RIFF/WAVE container that aplay plays as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

constexpr int kSampleRate = 22050;  // samples per second

std::vector<int16_t> SynthBeep();  // beep.wav: a short low refusal buzz, 0.1 s
std::vector<int16_t> SynthDing();  // ding.wav: a bright two-note coin chime, 0.3 s
std::vector<int16_t> SynthCry();   // urlo.wav: a falling "aaah" for a lost life, 0.8 s

// The 44-byte canonical header followed by the samples, little-endian.
std::string EncodeWav(const std::vector<int16_t>& samples, int sampleRate);

}  // namespace artgen
