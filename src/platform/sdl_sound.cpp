// Effects through SDL_mixer: one channel, each effect read from its file when it is played.
// Nothing here fails to the caller; no sound device means silence.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "platform/paths.h"
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
    Mix_Chunk* next = Mix_LoadWAV(resolvePath(path).c_str());
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
    Mix_Music* next = Mix_LoadMUS(resolvePath(path).c_str());
    if (music_) Mix_FreeMusic(music_);  // halts it first if it still plays
    music_ = next;
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
}

}  // namespace cb
