// Effects through SDL_mixer: one channel, each effect read from its file when it is played.
// Nothing here fails to the caller; no sound device means silence.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/sdl_memory_ceiling.h"
#include "platform/sdl_platform.h"

namespace cb {
namespace {

// Every effect plays on this channel, so a new one cuts off the one before.
constexpr int kEffectChannel = 0;

// Debian's General MIDI soundfont; without it SDL_mixer looks for one that is not installed.
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

// The mixer's music volume (0 to 128) for a master volume in hundredths of a decibel. The
// loudest setting the program uses, 150, is the mixer's full volume: the tune then sits a
// few decibels under the effects.
int mixerVolume(int hundredthsOfDecibel) {
    constexpr double kReference = MIX_MAX_VOLUME / 1.0889432;  // 10^(150 / 2000)
    const double volume = kReference * std::pow(10.0, hundredthsOfDecibel / 2000.0);
    return std::clamp(static_cast<int>(std::lround(volume)), 0, MIX_MAX_VOLUME);
}

// The largest sound file read, many times the longest sound of the book.
constexpr size_t kMaxSoundBytes = size_t(16) << 20;

bool startsWith(const std::vector<uint8_t>& bytes, size_t at, const char* magic) {
    const size_t n = std::strlen(magic);
    return bytes.size() >= at + n && std::memcmp(bytes.data() + at, magic, n) == 0;
}

}  // namespace

void SdlPlatform::openMixer() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
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
// first switched on.
void SdlPlatform::openMusic() {
    if (!mixerOpen_) throw PlatformError("no audio device");
    Mix_SetSoundFonts(kSoundFont);
    Mix_Init(MIX_INIT_MID);
    if (!Mix_HasMusicDecoder("MIDI")) throw PlatformError("no MIDI playback");
}

void SdlPlatform::setMusicVolume(int hundredthsOfDecibel) {
    if (!mixerOpen_) throw PlatformError("no audio device");
    Mix_VolumeMusic(mixerVolume(hundredthsOfDecibel));
}

void SdlPlatform::loadMusic(const std::string& path) {
    if (!mixerOpen_) throw PlatformError("no audio device");
    if (music_) Mix_FreeMusic(music_);  // halts it first if it still plays
    music_ = nullptr;
    // The tune is read here and handed over only when it is a MIDI file: given a folder in its
    // place, SDL_mixer crashes, and given garbage it "loads" it and fails while playing.
    musicBytes_ = readWholeFile(resolvePath(path), kMaxSoundBytes);
    if (!startsWith(musicBytes_, 0, "MThd"))
        throw PlatformError("cannot load the music " + path + ": not a MIDI file");
    // The bytes stay with the piece for as long as it is loaded.
    {
        const SdlMemoryCeiling ceiling;
        music_ = Mix_LoadMUSType_RW(SDL_RWFromConstMem(musicBytes_.data(), int(musicBytes_.size())),
                                    MUS_MID, 1);
    }
    if (!music_) throw PlatformError("cannot load the music " + path + ": " + Mix_GetError());
}

void SdlPlatform::playMusic() {
    if (!music_) throw PlatformError("no music loaded");
    if (Mix_PlayMusic(music_, 0) != 0) throw PlatformError(Mix_GetError());
}

void SdlPlatform::stopMusic() {
    if (mixerOpen_) Mix_HaltMusic();
}

bool SdlPlatform::musicPlaying() {
    return mixerOpen_ && Mix_PlayingMusic() != 0;
}

void SdlPlatform::closeMusic() {
    if (!mixerOpen_) return;
    Mix_HaltMusic();
    if (music_) Mix_FreeMusic(music_);
    music_ = nullptr;
    musicBytes_.clear();
}

}  // namespace cb
