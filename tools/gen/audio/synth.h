// Small building blocks for the colour sounds: struck tones made of decaying partials, a
// filtered-noise swoosh and the envelopes around them. Samples are doubles in [-1, 1].
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace book::synth {

constexpr int kSampleRate = 44100;

using Buffer = std::vector<double>;

// One sine partial of a struck tone: frequency as a multiple of the note, its level, and
// the time constant of its exponential decay in seconds.
struct Partial {
    double ratio;
    double level;
    double decay;
};

struct Strike {
    double start = 0.0;        // seconds into the buffer
    double frequency = 440.0;  // of the fundamental, Hz
    double gain = 1.0;
    double attack = 0.004;   // soft mallet: a few milliseconds of rise
    double glideFrom = 1.0;  // pitch starts at glideFrom * frequency ...
    double glideTime = 0.0;  // ... and reaches it after this many seconds
};

double noteFrequency(int midiKey);

Buffer silence(double seconds);

// Adds a struck tone to buf; the tone is cut at the end of the buffer.
void addStrike(Buffer& buf, const Strike& strike, std::span<const Partial> partials);

struct Swoosh {
    double start = 0.0;
    double length = 1.0;
    double fromHz = 400.0;  // centre of the noise band at the start ...
    double toHz = 5000.0;   // ... sweeping up to this at the end
    double gain = 0.3;
    uint32_t seed = 1;  // fixed seed: the same noise on every run
};

// Adds band-passed white noise whose band rises over time, in a smooth swell.
void addSwoosh(Buffer& buf, const Swoosh& swoosh);

// Raised-cosine fade over the last `seconds` of the buffer, ending in true silence.
void fadeOut(Buffer& buf, double seconds);

double peak(const Buffer& buf);
double rms(const Buffer& buf);

// 16-bit PCM mono WAV at kSampleRate; samples are clamped to the 16-bit range.
void writeWav(const std::string& path, const Buffer& buf);

}  // namespace book::synth
