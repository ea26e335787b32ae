#include "synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace book::synth {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

size_t sampleAt(double seconds) {
    return static_cast<size_t>(std::lround(seconds * kSampleRate));
}

// A tiny xorshift generator: the noise must not depend on the standard library's engines.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

  private:
    uint32_t state_;
};

void putLe(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

double noteFrequency(int midiKey) {
    return 440.0 * std::pow(2.0, (midiKey - 69) / 12.0);
}

Buffer silence(double seconds) {
    return Buffer(sampleAt(seconds), 0.0);
}

void addStrike(Buffer& buf, const Strike& strike, std::span<const Partial> partials) {
    const size_t first = sampleAt(strike.start);
    for (const Partial& p : partials) {
        const double nyquistGuard = 0.45 * kSampleRate;
        if (strike.frequency * p.ratio >= nyquistGuard) continue;
        double phase = 0.0;
        for (size_t i = first; i < buf.size(); ++i) {
            const double t = static_cast<double>(i - first) / kSampleRate;
            double pitch = 1.0;
            if (strike.glideTime > 0.0 && t < strike.glideTime) {
                // Exponential glide, so the pitch moves evenly on a musical scale.
                pitch = std::pow(strike.glideFrom, 1.0 - t / strike.glideTime);
            }
            const double rise =
                t < strike.attack ? std::sin(0.5 * std::numbers::pi * t / strike.attack) : 1.0;
            const double level = strike.gain * p.level * rise * std::exp(-t / p.decay);
            buf[i] += level * std::sin(phase);
            phase += kTwoPi * strike.frequency * p.ratio * pitch / kSampleRate;
            if (phase > kTwoPi) phase -= kTwoPi;
        }
    }
}

void addSwoosh(Buffer& buf, const Swoosh& swoosh) {
    Noise noise(swoosh.seed);
    const size_t first = sampleAt(swoosh.start);
    const size_t count = sampleAt(swoosh.length);
    // Two state-variable filters in band-pass mode, one after the other, so the band is
    // narrow enough to be heard as a sweep rather than hiss; the centre moves every sample.
    double low[2] = {0.0, 0.0};
    double band[2] = {0.0, 0.0};
    const double damping = 0.7;
    for (size_t n = 0; n < count && first + n < buf.size(); ++n) {
        const double x = static_cast<double>(n) / count;
        const double centre = swoosh.fromHz * std::pow(swoosh.toHz / swoosh.fromHz, x);
        const double f = 2.0 * std::sin(std::numbers::pi * centre / kSampleRate);
        double signal = noise.next();
        for (int stage = 0; stage < 2; ++stage) {
            const double high = signal - low[stage] - damping * band[stage];
            band[stage] += f * high;
            low[stage] += f * band[stage];
            signal = band[stage];
        }
        // Swell up to two thirds of the way, then die away: a sweep that passes by.
        const double swell = x < 0.66 ? std::sin(0.5 * std::numbers::pi * x / 0.66)
                                      : std::cos(0.5 * std::numbers::pi * (x - 0.66) / 0.34);
        buf[first + n] += swoosh.gain * swell * swell * signal;
    }
}

void fadeOut(Buffer& buf, double seconds) {
    const size_t count = std::min(buf.size(), sampleAt(seconds));
    const size_t start = buf.size() - count;
    for (size_t n = 0; n < count; ++n) {
        const double x = static_cast<double>(n + 1) / count;
        buf[start + n] *= 0.5 * (1.0 + std::cos(std::numbers::pi * x));
    }
}

double peak(const Buffer& buf) {
    double top = 0.0;
    for (double s : buf) top = std::max(top, std::abs(s));
    return top;
}

double rms(const Buffer& buf) {
    if (buf.empty()) return 0.0;
    double sum = 0.0;
    for (double s : buf) sum += s * s;
    return std::sqrt(sum / static_cast<double>(buf.size()));
}

void writeWav(const std::string& path, const Buffer& buf) {
    std::ofstream out(path, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + path);
    const uint32_t dataBytes = static_cast<uint32_t>(buf.size() * 2);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);  // fmt chunk size
    putLe(out, 1, 2);   // PCM
    putLe(out, 1, 2);   // mono
    putLe(out, kSampleRate, 4);
    putLe(out, kSampleRate * 2, 4);  // bytes per second
    putLe(out, 2, 2);                // block align
    putLe(out, 16, 2);               // bits per sample
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    for (double s : buf) {
        const long v = std::clamp(std::lround(s * 32767.0), -32767L, 32767L);
        putLe(out, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF, 2);
    }
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace book::synth
