// A minimal standard MIDI file writer: tracks of timed events, written as format 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace book::midi {

class Track {
  public:
    explicit Track(const std::string& name);

    void tempo(uint32_t tick, double beatsPerMinute);
    void timeSignature(uint32_t tick, int numerator, int denominatorPower);
    void keySignature(uint32_t tick, int sharps, bool minor);
    void program(int channel, uint32_t tick, int program);
    void controller(int channel, uint32_t tick, int number, int value);
    // A note from tick for length ticks; the note-off is written before any note-on that
    // falls on the same tick, so repeated notes never cut each other short.
    void note(int channel, uint32_t tick, uint32_t length, int key, int velocity);

    // The track chunk with its End of Track meta event placed exactly at endTick.
    std::vector<uint8_t> chunk(uint32_t endTick) const;

  private:
    struct Event {
        uint32_t tick;
        int order;  // events on one tick: note-offs, then settings, then note-ons
        std::vector<uint8_t> bytes;
    };
    void meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data);
    std::vector<Event> events_;
};

// Writes a format 1 file with the given ticks per quarter note; every track ends at endTick.
void writeFile(const std::string& path, int division, const std::vector<Track>& tracks,
               uint32_t endTick);

}  // namespace book::midi
