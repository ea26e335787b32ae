#include "platform/midi_synth.h"

#include <fluidsynth.h>

#include "platform/errors.h"

namespace cb {

MidiSynth::MidiSynth(const std::string& soundFont, int sampleRate) {
    settings_ = new_fluid_settings();
    if (!settings_) throw PlatformError("no MIDI playback: no synthesiser settings");
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        delete_fluid_settings(settings_);
        throw PlatformError("no MIDI playback: no synthesiser");
    }
    if (fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
        throw PlatformError("no MIDI playback: cannot read the soundfont " + soundFont);
    }
}

MidiSynth::~MidiSynth() {
    if (player_) delete_fluid_player(player_);
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

void MidiSynth::setGain(double gain) {
    fluid_synth_set_gain(synth_, static_cast<float>(gain));
}

void MidiSynth::setPiece(std::vector<uint8_t> midi) {
    stop();
    const std::lock_guard lock(mutex_);
    piece_ = std::move(midi);
}

void MidiSynth::play() {
    const std::lock_guard lock(mutex_);
    if (piece_.empty()) throw PlatformError("no music loaded");
    dropPlayer();
    // A new player reads the piece from its first event; the notes of the run before fade
    // out under it as they would at the end of any piece.
    player_ = new_fluid_player(synth_);
    if (!player_) throw PlatformError("no MIDI player");
    if (fluid_player_add_mem(player_, piece_.data(), piece_.size()) != FLUID_OK ||
        fluid_player_play(player_) != FLUID_OK) {
        dropPlayer();
        throw PlatformError("cannot play the music");
    }
}

void MidiSynth::stop() {
    const std::lock_guard lock(mutex_);
    dropPlayer();
    // Nothing may sound on when the next piece starts, not even a release.
    fluid_synth_system_reset(synth_);
}

bool MidiSynth::playing() {
    const std::lock_guard lock(mutex_);
    if (!player_ || fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING) return false;
    // FluidSynth calls a piece playing for two seconds after its last voice has gone quiet,
    // to let the reverberation die away; the piece ends with its last event all the same.
    // Until the player has read the file it knows no length.
    const int length = fluid_player_get_total_ticks(player_);
    return length == 0 || fluid_player_get_current_tick(player_) < length;
}

void MidiSynth::render(int16_t* stereo, int frames) {
    const std::lock_guard lock(mutex_);
    if (!player_) return;
    fluid_synth_write_s16(synth_, frames, stereo, 0, 2, stereo, 1, 2);
}

void MidiSynth::dropPlayer() {
    if (!player_) return;
    delete_fluid_player(player_);
    player_ = nullptr;
    // An ended player sends no note-offs of its own: without these, notes would hang.
    fluid_synth_all_notes_off(synth_, -1);
}

}  // namespace cb
