// The synthesiser behind the music: FluidSynth with a General MIDI soundfont, rendering into
// the mixer's music stream on the mixer's thread. The soundfont is read once, when the
// synthesiser is made, and stays loaded until it goes; each piece is parsed again from its
// bytes whenever it starts.
#pragma once

#include <fluidsynth/types.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace cb {

class MidiSynth {
  public:
    // Throws PlatformError when the synthesiser cannot be made or the soundfont not read.
    MidiSynth(const std::string& soundFont, int sampleRate);
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // The synthesiser's output gain (FluidSynth's own scale: 0.2 is its default).
    void setGain(double gain);
    // Takes a whole MIDI file as the piece to play; what was playing stops.
    void setPiece(std::vector<uint8_t> midi);
    // Starts the piece from its beginning; throws PlatformError when there is none.
    void play();
    // Silences everything: the stream gets nothing more from the synthesiser.
    void stop();
    // True from play until the piece's last event has been played; the last notes may still
    // be dying away.
    bool playing();
    // The mixer's thread: writes the next frames of interleaved 16-bit stereo, or leaves the
    // stream as it is while nothing plays.
    void render(int16_t* stereo, int frames);

  private:
    // Ends the current player; its notes are released, not cut.
    void dropPlayer();

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    std::vector<uint8_t> piece_;
    // The player is made, read and ended here and advanced by render on the mixer's thread.
    std::mutex mutex_;
};

}  // namespace cb
