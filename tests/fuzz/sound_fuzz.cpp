// Any bytes in a sound file of the book, played as the program plays it: an effect through the
// SDL platform's playEffect, the tune through loadMusic and playMusic, on SDL's dummy audio
// driver. An input that starts with "M" (as a MIDI file does) is the tune, any other an
// effect, so that the book's own files seed both. Neither may crash or hang; the tune may
// refuse to load (an exception the music button's guard catches).
#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>

#include "platform/sdl_platform.h"
#include "scratch_folder.h"

namespace {

std::unique_ptr<cb::SdlPlatform> platform;
std::atomic<int> mixes{0};

void countMix(void*, Uint8*, int) {
    mixes.fetch_add(1);
}

// Waits until the mixer has run twice since now: the tune's player reads its file in the
// mixer's thread, on the first round after playMusic.
void letTheMixerRun() {
    const int start = mixes.load();
    for (int waited = 0; mixes.load() - start < 2 && waited < 1000; ++waited) SDL_Delay(1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform = std::make_unique<cb::SdlPlatform>(cb::Image(32, 32));
    platform->openMusic();
    Mix_SetPostMix(countMix, nullptr);
    std::filesystem::create_directories(cbfuzz::scratchFolder() / "SOUND");
    std::filesystem::create_directories(cbfuzz::scratchFolder() / "MUSIC");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string root = cbfuzz::scratchFolder().string();
    if (size > 0 && data[0] == 'M') {
        cbfuzz::writeFile(cbfuzz::scratchFolder() / "MUSIC" / "001.MID", data, size);
        try {
            platform->loadMusic(root + "\\MUSIC\\001.MID");
            platform->setMusicVolume(150);
            platform->playMusic();
            letTheMixerRun();
            platform->musicPlaying();
        } catch (const std::exception&) {
            // Refused: the music button's guard ends its click here.
        }
        platform->stopMusic();
    } else {
        cbfuzz::writeFile(cbfuzz::scratchFolder() / "SOUND" / "ZUTA.WAV", data, size);
        platform->playEffect(root + "\\SOUND\\ZUTA.WAV");
    }
    return 0;
}
