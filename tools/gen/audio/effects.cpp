// The twelve colour sounds. Each colour sings one note of the C major pentatonic scale,
// rising in palette order, so a child can learn the palette by ear. All share one soft
// mallet-chime timbre; the light blue one doubles as the fill "bloop" and the purple one as
// the sparkling swoosh of the wipe, so those two carry their note inside a longer gesture.
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "audio.h"
#include "synth.h"

namespace book {

namespace {

using synth::Buffer;
using synth::Partial;
using synth::Strike;

// Palette order: red, green, yellow, light blue, orange, purple, grey, white, brown, blue,
// black, pink. Keys G4 A4 C5 D5 E5 G5 A5 C6 D6 E6 G6 A6.
struct ColourSound {
    const char* file;
    int key;
};
constexpr std::array<ColourSound, 12> kColours{{{"CRVENA.WAV", 67},
                                                {"ZELENA.WAV", 69},
                                                {"ZUTA.WAV", 72},
                                                {"SVPLAVA.WAV", 74},
                                                {"ORANZ.WAV", 76},
                                                {"LJUBICASTA.WAV", 79},
                                                {"SIVA.WAV", 81},
                                                {"TAMNOZUTA.WAV", 84},
                                                {"BRAON.WAV", 86},
                                                {"PLAVA.WAV", 88},
                                                {"CRNA.WAV", 91},
                                                {"PINK.WAV", 93}}};

constexpr size_t kFillIndex = 3;  // SVPLAVA
constexpr size_t kWipeIndex = 5;  // LJUBICASTA

// The family timbre: a warm fundamental with a slightly detuned twin for a gentle shimmer,
// a soft octave and twelfth, and a quick bright partial that gives the mallet's touch.
constexpr std::array<Partial, 5> kChime{{{1.0, 1.0, 0.32},
                                         {1.0025, 0.45, 0.28},
                                         {2.0, 0.28, 0.16},
                                         {3.0, 0.08, 0.09},
                                         {5.4, 0.06, 0.025}}};

// Shorter and rounder for the fill, which a child may hear many times a minute.
constexpr std::array<Partial, 4> kBloop{
    {{1.0, 1.0, 0.16}, {1.0025, 0.35, 0.14}, {2.0, 0.18, 0.08}, {3.0, 0.05, 0.05}}};

// Airy, thin chimes for the sparkle run of the wipe.
constexpr std::array<Partial, 3> kSparkle{{{1.0, 1.0, 0.22}, {2.0, 0.3, 0.1}, {4.0, 0.06, 0.04}}};

Buffer colourChime(int key) {
    Buffer buf = synth::silence(0.85);
    // High notes ring brighter to the ear; a little less level keeps the family even.
    const double brightness = key > 84 ? 0.8 : 1.0;
    std::array<Partial, kChime.size()> partials = kChime;
    for (size_t i = 2; i < partials.size(); ++i) partials[i].level *= brightness;
    synth::addStrike(buf, Strike{.frequency = synth::noteFrequency(key)}, partials);
    synth::fadeOut(buf, 0.12);
    return buf;
}

Buffer fillBloop(int key) {
    Buffer buf = synth::silence(0.42);
    const double f = synth::noteFrequency(key);
    // The bloop: the note scoops up from a fifth below, like a drop landing in paint.
    synth::addStrike(
        buf, Strike{.frequency = f, .attack = 0.006, .glideFrom = 0.67, .glideTime = 0.06}, kBloop);
    // A small splash of its octave just after, and a whisper of bright noise.
    synth::addStrike(buf, Strike{.start = 0.05, .frequency = 2.0 * f, .gain = 0.22}, kSparkle);
    synth::addSwoosh(buf, {.start = 0.0,
                           .length = 0.12,
                           .fromHz = 2500.0,
                           .toHz = 6000.0,
                           .gain = 0.1,
                           .seed = 0xB100Bu});
    synth::fadeOut(buf, 0.08);
    return buf;
}

Buffer wipeSparkle(int key) {
    Buffer buf = synth::silence(1.35);
    synth::addSwoosh(buf, {.start = 0.0,
                           .length = 1.1,
                           .fromHz = 350.0,
                           .toHz = 6500.0,
                           .gain = 0.9,
                           .seed = 0x5EED1u});
    // A run up the scale that lands on the purple note, with its octave ringing above.
    constexpr std::array<int, 5> kRun{67, 69, 72, 74, 76};
    for (size_t i = 0; i < kRun.size(); ++i) {
        const double start = 0.12 + 0.085 * static_cast<double>(i);
        synth::addStrike(buf,
                         Strike{.start = start,
                                .frequency = synth::noteFrequency(kRun[i]),
                                .gain = 0.35 + 0.06 * static_cast<double>(i)},
                         kSparkle);
    }
    const double land = 0.12 + 0.085 * static_cast<double>(kRun.size());
    synth::addStrike(
        buf, Strike{.start = land, .frequency = synth::noteFrequency(key), .gain = 0.9}, kChime);
    synth::addStrike(
        buf, Strike{.start = land + 0.07, .frequency = synth::noteFrequency(key + 12), .gain = 0.3},
        kSparkle);
    synth::fadeOut(buf, 0.2);
    return buf;
}

}  // namespace

void writeEffects(const std::string& soundDir) {
    std::vector<Buffer> sounds;
    for (size_t i = 0; i < kColours.size(); ++i) {
        const int key = kColours[i].key;
        if (i == kFillIndex)
            sounds.push_back(fillBloop(key));
        else if (i == kWipeIndex)
            sounds.push_back(wipeSparkle(key));
        else
            sounds.push_back(colourChime(key));
    }
    // Every sound gets the same loudness; the common level is lowered if any sound would
    // otherwise come near full scale.
    double target = std::pow(10.0, -16.0 / 20.0);
    for (const Buffer& s : sounds) target = std::min(target, 0.89 * synth::rms(s) / synth::peak(s));
    for (size_t i = 0; i < sounds.size(); ++i) {
        const double scale = target / synth::rms(sounds[i]);
        for (double& v : sounds[i]) v *= scale;
        synth::writeWav((std::filesystem::path(soundDir) / kColours[i].file).string(), sounds[i]);
    }
}

}  // namespace book
