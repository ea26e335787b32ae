// Effects and music through SDL_mixer: effects on one channel, each read from its file when it
// is played; the music from a synthesiser of our own that renders into the mixer's music
// stream. Effects never fail to the caller; no sound device means silence.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/errors.h"
#include "platform/midi_synth.h"
#include "platform/paths.h"
#include "platform/sdl_memory_ceiling.h"
#include "platform/sdl_platform.h"

namespace cb {
namespace {

// The mixer's format, asked for exactly so that the synthesiser can write into its stream;
// SDL converts for a device that wants another.
constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;

// Every effect plays on this channel, so a new one cuts off the one before.
constexpr int kEffectChannel = 0;

// Debian's General MIDI soundfont (the alternative that timgm6mb-soundfont installs).
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

// The synthesiser's gain at the loudest master volume the program uses, 150 hundredths of a
// decibel (FluidSynth's own default is 0.2). At 1.2 the book's tune measures about -21 dB RMS
// over a whole run, four to five decibels under the effects (made to -16.7 dB RMS), so an
// effect stands out over it without the tune sounding faint; its peaks stay under -3 dB.
constexpr double kLoudestGain = 1.2;
constexpr int kLoudestVolume = 150;

double musicGain(int hundredthsOfDecibel) {
    return kLoudestGain * std::pow(10.0, (hundredthsOfDecibel - kLoudestVolume) / 2000.0);
}

void SDLCALL renderMusic(void* synth, Uint8* stream, int bytes) {
    static_cast<MidiSynth*>(synth)->render(reinterpret_cast<int16_t*>(stream),
                                           bytes / (kChannels * 2));
}

// The largest sound file read, many times the longest sound of the book.
constexpr size_t kMaxSoundBytes = size_t(16) << 20;

bool startsWith(const std::vector<uint8_t>& bytes, size_t at, const char* magic) {
    const size_t n = std::strlen(magic);
    return bytes.size() >= at + n && std::memcmp(bytes.data() + at, magic, n) == 0;
}

// A whole MIDI file; throws PlatformError when it is missing, not an ordinary file, too large
// or no MIDI file.
std::vector<uint8_t> readMidiFile(const std::string& path) {
    std::vector<uint8_t> bytes = readWholeFile(resolvePath(path), kMaxSoundBytes);
    if (!startsWith(bytes, 0, "MThd")) throw PlatformError("not a MIDI file: " + path);
    return bytes;
}

}  // namespace

void SdlPlatform::openMixer() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kChannels, kBufferFrames, nullptr, 0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    mixerOpen_ = true;
}

void SdlPlatform::closeMixer() {
    if (!mixerOpen_) return;
    closeMusic();
    Mix_HaltChannel(-1);
    if (effect_) Mix_FreeChunk(effect_);
    effect_ = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mixerOpen_ = false;
}

void SdlPlatform::playEffect(const std::string& path) {
    if (!mixerOpen_) return;
    // Read before cutting the one playing, so a slow disk does not leave a gap of silence.
    // Only a WAV file is played: SDL_mixer would hand any other content to whichever of its
    // decoders claims it, down to decoding a whole module of garbage before returning.
    Mix_Chunk* next = nullptr;
    try {
        const std::vector<uint8_t> bytes = readWholeFile(resolvePath(path), kMaxSoundBytes);
        if (startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "WAVE")) {
            // SDL reserves what the file's data chunk says it holds, before reading it.
            const SdlMemoryCeiling ceiling;
            next = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
        }
    } catch (const PlatformError&) {
        // Missing or not a file: silence, and what was playing stops all the same.
    }
    // Once halted, the previous chunk is no longer read by the mixer and can go.
    Mix_HaltChannel(kEffectChannel);
    if (effect_) Mix_FreeChunk(effect_);
    effect_ = next;
    if (effect_ && Mix_PlayChannel(kEffectChannel, effect_, 0) < 0) {
        Mix_FreeChunk(effect_);
        effect_ = nullptr;
    }
}

// The synthesiser is made on the first call only: nothing of it exists before the music is
// first switched on, and afterwards its soundfont stays loaded.
void SdlPlatform::openMusic() {
    if (!mixerOpen_) throw PlatformError("no audio device");
    if (synth_) return;
    synth_ = std::make_unique<MidiSynth>(kSoundFont, kRate);
    synth_->setGain(musicGain(musicVolume_));
    Mix_HookMusic(renderMusic, synth_.get());
}

void SdlPlatform::setMusicVolume(int hundredthsOfDecibel) {
    if (!mixerOpen_) throw PlatformError("no audio device");
    musicVolume_ = hundredthsOfDecibel;
    if (synth_) synth_->setGain(musicGain(hundredthsOfDecibel));
}

// The file is read again on every call, so a changed or missing tune shows at once.
void SdlPlatform::loadMusic(const std::string& path) {
    if (!synth_) throw PlatformError("no MIDI playback");
    synth_->setPiece({});  // what played stops, and a file that fails leaves nothing loaded
    synth_->setPiece(readMidiFile(path));
}

void SdlPlatform::playMusic() {
    if (!synth_) throw PlatformError("no music loaded");
    synth_->play();
}

void SdlPlatform::stopMusic() {
    if (synth_) synth_->stop();
}

bool SdlPlatform::musicPlaying() {
    return synth_ && synth_->playing();
}

void SdlPlatform::closeMusic() {
    if (!synth_) return;
    Mix_HookMusic(nullptr, nullptr);  // the mixer's thread is done with it when this returns
    synth_.reset();
}

}  // namespace cb
