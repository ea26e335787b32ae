// The real platform on SDL's dummy video and audio drivers, one for the whole benchmark run,
// so that no display or sound device is needed.
#pragma once

#include <stdlib.h>

#include "platform/sdl_platform.h"

inline cb::SdlPlatform& dummyPlatform() {
    static cb::SdlPlatform* p = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        return new cb::SdlPlatform(cb::Image(32, 32));
    }();
    return *p;
}
