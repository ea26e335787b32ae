// Readers for the two audio formats the book ships, giving the figures that matter: the
// generator prints them after writing and the asset tests check them in the committed tree.
// Header-only so that a test can use it without linking the generator.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace book::audio_files {

inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct WavInfo {
    int format = 0;  // 1 = PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    double seconds = 0.0;
    double peak = 0.0;    // largest sample magnitude, 1.0 = full scale
    double rmsDb = -1e9;  // loudness over the whole file, dB below full scale
};

inline WavInfo readWav(const std::string& path) {
    const std::vector<uint8_t> b = readBytes(path);
    auto le = [&](size_t at, int bytes) {
        if (at + bytes > b.size()) throw std::runtime_error(path + ": truncated");
        uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
        return v;
    };
    auto tag = [&](size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); };
    if (b.size() < 12 || tag(0) != "RIFF" || tag(8) != "WAVE") {
        throw std::runtime_error(path + ": not a RIFF WAVE file");
    }
    WavInfo info;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = tag(at);
        const uint32_t size = le(at + 4, 4);
        const size_t body = at + 8;
        if (id == "fmt ") {
            info.format = static_cast<int>(le(body, 2));
            info.channels = static_cast<int>(le(body + 2, 2));
            info.sampleRate = static_cast<int>(le(body + 4, 4));
            info.bitsPerSample = static_cast<int>(le(body + 14, 2));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || info.format != 1 || info.bitsPerSample != 16 || info.channels < 1) {
                throw std::runtime_error(path + ": not 16-bit PCM");
            }
            const size_t samples = size / 2;
            double sum = 0.0;
            for (size_t i = 0; i < samples; ++i) {
                const double s = static_cast<int16_t>(le(body + 2 * i, 2)) / 32768.0;
                info.peak = std::max(info.peak, std::abs(s));
                sum += s * s;
            }
            info.seconds = static_cast<double>(samples) / info.channels / info.sampleRate;
            if (samples > 0 && sum > 0.0) info.rmsDb = 10.0 * std::log10(sum / samples);
            return info;
        }
        at = body + size + (size & 1);
    }
    throw std::runtime_error(path + ": no data chunk");
}

struct MidiInfo {
    int format = 0;
    int division = 0;                 // ticks per quarter note
    std::vector<uint32_t> trackEnds;  // tick of each track's End of Track event
    uint32_t ticksPerBar = 0;         // from the first time signature (4/4 if none)
    double seconds = 0.0;             // up to the latest track end, with every tempo change
};

inline MidiInfo readMidi(const std::string& path) {
    const std::vector<uint8_t> b = readBytes(path);
    auto be = [&](size_t at, int bytes) {
        if (at + bytes > b.size()) throw std::runtime_error(path + ": truncated");
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v = (v << 8) | b[at + i];
        return v;
    };
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be(4, 4) != 6) {
        throw std::runtime_error(path + ": not a standard MIDI file");
    }
    MidiInfo info;
    info.format = static_cast<int>(be(8, 2));
    const uint32_t trackCount = be(10, 2);
    info.division = static_cast<int>(be(12, 2));
    if (info.division <= 0 || info.division >= 0x8000) {
        throw std::runtime_error(path + ": unsupported time division");
    }
    info.ticksPerBar = 4 * info.division;
    bool haveTimeSignature = false;
    std::map<uint32_t, uint32_t> tempos{{0, 500000}};  // tick -> microseconds per quarter

    size_t at = 14;
    for (uint32_t t = 0; t < trackCount; ++t) {
        if (be(at, 4) != 0x4D54726B) throw std::runtime_error(path + ": missing track chunk");
        const size_t end = at + 8 + be(at + 4, 4);
        size_t p = at + 8;
        auto varLen = [&] {
            uint32_t v = 0;
            for (int i = 0; i < 4; ++i) {
                const uint8_t c = static_cast<uint8_t>(be(p++, 1));
                v = (v << 7) | (c & 0x7F);
                if ((c & 0x80) == 0) return v;
            }
            throw std::runtime_error(path + ": bad variable-length number");
        };
        uint32_t tick = 0;
        uint8_t running = 0;
        bool ended = false;
        while (p < end && !ended) {
            tick += varLen();
            uint8_t status = static_cast<uint8_t>(be(p, 1));
            if (status & 0x80)
                ++p;
            else if (running != 0)
                status = running;
            else
                throw std::runtime_error(path + ": data byte without status");
            if (status == 0xFF) {
                const uint8_t type = static_cast<uint8_t>(be(p++, 1));
                const uint32_t len = varLen();
                if (type == 0x2F) ended = true;
                if (type == 0x51 && len == 3) tempos[tick] = be(p, 3);
                if (type == 0x58 && len >= 2 && !haveTimeSignature) {
                    info.ticksPerBar = (info.division * 4 * be(p, 1)) >> be(p + 1, 1);
                    haveTimeSignature = true;
                }
                p += len;
            } else if (status == 0xF0 || status == 0xF7) {
                p += varLen();
            } else {
                running = status;
                const int kind = status & 0xF0;
                p += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            }
        }
        if (!ended || p != end) throw std::runtime_error(path + ": track without a clean end");
        info.trackEnds.push_back(tick);
        at = end;
    }

    const uint32_t last = info.trackEnds.empty()
                              ? 0
                              : *std::max_element(info.trackEnds.begin(), info.trackEnds.end());
    uint32_t from = 0;
    uint32_t usPerQuarter = 500000;
    for (const auto& [tick, us] : tempos) {
        if (tick >= last) break;
        info.seconds += (tick - from) * 1e-6 * usPerQuarter / info.division;
        from = tick;
        usPerQuarter = us;
    }
    info.seconds += (last - from) * 1e-6 * usPerQuarter / info.division;
    return info;
}

}  // namespace book::audio_files
