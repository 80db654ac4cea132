#include "tools/artgen/Sounds.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

int Samples(double seconds) { return int(std::lround(seconds * kSampleRate)); }

// Linear attack and release (seconds) so no sound starts or ends with a click.
double Envelope(int i, int count, double attack, double release) {
    const double t = double(i) / kSampleRate, end = double(count - 1 - i) / kSampleRate;
    return std::min({1.0, t / attack, end / release});
}

std::vector<int16_t> ToPcm(const std::vector<double>& wave, double peak) {
    double loudest = 1e-9;
    for (double v : wave) loudest = std::max(loudest, std::fabs(v));
    std::vector<int16_t> pcm(wave.size());
    for (size_t i = 0; i < wave.size(); ++i)
        pcm[i] = int16_t(std::lround(wave[i] / loudest * peak * 32767.0));
    return pcm;
}

void PutLe(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<int16_t> SynthBeep() {
    const int n = Samples(0.1);
    std::vector<double> wave(static_cast<size_t>(n));
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        phase += 2 * kPi * (300 - 400 * t) / kSampleRate;  // sags a little: "no"
        double v = 0;
        for (int h = 1; h <= 7; h += 2) v += std::sin(h * phase) / h;  // a soft square
        wave[size_t(i)] = v * Envelope(i, n, 0.004, 0.02);
    }
    return ToPcm(wave, 0.45);
}

std::vector<int16_t> SynthDing() {
    const int n = Samples(0.3);
    const int split = Samples(0.055);  // the grace note before the chime
    std::vector<double> wave(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const bool second = i >= split;
        const double f = second ? 1318.5 : 987.8;  // E6 after B5
        const double t = double(second ? i - split : i) / kSampleRate;
        const double decay = std::exp(-t * (second ? 9.0 : 30.0));
        const double v = std::sin(2 * kPi * f * t) + 0.3 * std::sin(4 * kPi * f * t) +
                         0.18 * std::sin(2 * kPi * 2.76 * f * t) * std::exp(-t * 25);
        wave[size_t(i)] = v * decay * Envelope(i, n, 0.002, 0.015) *
                          (second ? std::min(1.0, t / 0.002) : 1.0);
    }
    return ToPcm(wave, 0.5);
}

std::vector<int16_t> SynthCry() {
    const int n = Samples(0.8);
    std::vector<double> wave(static_cast<size_t>(n));
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        const double glide = 820.0 * std::pow(2.0, -2.1 * t / 0.8);  // down about two octaves
        const double f = glide * (1 + 0.035 * std::sin(2 * kPi * 6.5 * t));
        phase += 2 * kPi * f / kSampleRate;
        // Harmonics weighted by two "aah" formants give it a voice.
        double v = 0;
        for (int h = 1; h <= 12; ++h) {
            const double fh = h * f;
            if (fh > kSampleRate / 2.2) break;
            const double formant = 1 + 2.5 * std::exp(-std::pow((fh - 800) / 260, 2)) +
                                   1.5 * std::exp(-std::pow((fh - 1250) / 300, 2));
            v += std::sin(h * phase) * formant / h;
        }
        const double fade = t > 0.55 ? std::max(0.0, 1 - (t - 0.55) / 0.25) : 1.0;
        wave[size_t(i)] = v * fade * Envelope(i, n, 0.03, 0.01);
    }
    return ToPcm(wave, 0.5);
}

std::string EncodeWav(const std::vector<int16_t>& samples, int sampleRate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::string out = "RIFF";
    PutLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);                       // fmt chunk size
    PutLe(out, 1, 2);                        // PCM
    PutLe(out, 1, 2);                        // mono
    PutLe(out, uint32_t(sampleRate), 4);
    PutLe(out, uint32_t(sampleRate) * 2, 4); // bytes per second
    PutLe(out, 2, 2);                        // bytes per sample frame
    PutLe(out, 16, 2);                       // bits per sample
    out += "data";
    PutLe(out, dataBytes, 4);
    for (int16_t s : samples) PutLe(out, uint16_t(s), 2);
    return out;
}

}  // namespace artgen
