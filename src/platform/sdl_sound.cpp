// Effects through SDL_mixer: one channel, each effect read from its file when it is played.
// Nothing here fails to the caller; no sound device means silence.
#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/paths.h"
#include "platform/sdl_platform.h"

namespace cb {
namespace {

// Every effect plays on this channel, so a new one cuts off the one before.
constexpr int kEffectChannel = 0;

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

}  // namespace cb
