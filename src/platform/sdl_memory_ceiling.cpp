#include "platform/sdl_memory_ceiling.h"

#include <SDL.h>

#include <cstdint>

namespace cb {
namespace {

thread_local bool ceilingHolds = false;
SDL_malloc_func sdlMalloc = nullptr;
SDL_calloc_func sdlCalloc = nullptr;
SDL_realloc_func sdlRealloc = nullptr;
SDL_free_func sdlFree = nullptr;

bool tooLarge(size_t bytes) {
    return ceilingHolds && bytes > kDecodingCeilingBytes;
}
void* cappedMalloc(size_t bytes) {
    return tooLarge(bytes) ? nullptr : sdlMalloc(bytes);
}
void* cappedCalloc(size_t count, size_t bytes) {
    const bool overflows = bytes != 0 && count > SIZE_MAX / bytes;
    return overflows || tooLarge(count * bytes) ? nullptr : sdlCalloc(count, bytes);
}
void* cappedRealloc(void* block, size_t bytes) {
    return tooLarge(bytes) ? nullptr : sdlRealloc(block, bytes);
}

// Put in place before main, before SDL allocates anything: SDL frees with the functions it
// allocated with.
[[maybe_unused]] const bool allocatorCapped = [] {
    SDL_GetOriginalMemoryFunctions(&sdlMalloc, &sdlCalloc, &sdlRealloc, &sdlFree);
    return SDL_SetMemoryFunctions(cappedMalloc, cappedCalloc, cappedRealloc, sdlFree) == 0;
}();

}  // namespace

SdlMemoryCeiling::SdlMemoryCeiling() : outer_(!ceilingHolds) {
    ceilingHolds = true;
}

SdlMemoryCeiling::~SdlMemoryCeiling() {
    if (outer_) ceilingHolds = false;
}

}  // namespace cb
