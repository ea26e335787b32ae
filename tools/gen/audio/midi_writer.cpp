#include "midi_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace book::midi {

namespace {

void putVarLen(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

void putBe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back((value >> (8 * i)) & 0xFF);
}

uint8_t data7(int value) {
    if (value < 0 || value > 127) throw std::out_of_range("MIDI data byte out of range");
    return static_cast<uint8_t>(value);
}

uint8_t status(int kind, int channel) {
    if (channel < 0 || channel > 15) throw std::out_of_range("MIDI channel out of range");
    return static_cast<uint8_t>(kind | channel);
}

}  // namespace

Track::Track(const std::string& name) {
    meta(0, 0x03, std::vector<uint8_t>(name.begin(), name.end()));
}

void Track::meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes{0xFF, type};
    putVarLen(bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    events_.push_back({tick, 1, std::move(bytes)});
}

void Track::tempo(uint32_t tick, double beatsPerMinute) {
    std::vector<uint8_t> data;
    putBe(data, static_cast<uint32_t>(std::lround(60'000'000.0 / beatsPerMinute)), 3);
    meta(tick, 0x51, data);
}

void Track::timeSignature(uint32_t tick, int numerator, int denominatorPower) {
    // 24 MIDI clocks per metronome click, 8 thirty-seconds per quarter.
    meta(tick, 0x58, {data7(numerator), data7(denominatorPower), 24, 8});
}

void Track::keySignature(uint32_t tick, int sharps, bool minor) {
    meta(tick, 0x59,
         {static_cast<uint8_t>(static_cast<int8_t>(sharps)), minor ? uint8_t{1} : uint8_t{0}});
}

void Track::program(int channel, uint32_t tick, int program) {
    events_.push_back({tick, 1, {status(0xC0, channel), data7(program)}});
}

void Track::controller(int channel, uint32_t tick, int number, int value) {
    events_.push_back({tick, 1, {status(0xB0, channel), data7(number), data7(value)}});
}

void Track::note(int channel, uint32_t tick, uint32_t length, int key, int velocity) {
    if (length == 0 || velocity < 1) throw std::invalid_argument("empty MIDI note");
    events_.push_back({tick, 2, {status(0x90, channel), data7(key), data7(velocity)}});
    events_.push_back({tick + length, 0, {status(0x80, channel), data7(key), 0x40}});
}

std::vector<uint8_t> Track::chunk(uint32_t endTick) const {
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    if (!sorted.empty() && sorted.back().tick > endTick) {
        throw std::logic_error("MIDI event after the end of the track");
    }
    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const Event& e : sorted) {
        putVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(body, endTick - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> out{'M', 'T', 'r', 'k'};
    putBe(out, static_cast<uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

void writeFile(const std::string& path, int division, const std::vector<Track>& tracks,
               uint32_t endTick) {
    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    putBe(out, 6, 4);
    putBe(out, 1, 2);  // format 1: simultaneous tracks
    putBe(out, static_cast<uint32_t>(tracks.size()), 2);
    putBe(out, static_cast<uint32_t>(division), 2);
    for (const Track& t : tracks) {
        const std::vector<uint8_t> c = t.chunk(endTick);
        out.insert(out.end(), c.begin(), c.end());
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace book::midi
