// GIF pictures, read with giflib. SDL_image's own GIF reader is not used: a damaged stream of
// codes makes it write past the end of its stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/image.h"

namespace cb {

// The first picture of a GIF, turned into pixels as SDL_image turns it: a palette of 256
// entries, white beyond the colour table, the transparent colour (the last one a graphics
// control block gave) with no alpha, and a picture whose data stops early kept as far as it
// was read, the rest in the palette's first colour. Throws PlatformError when there is no
// picture to read, when it has no pixels and when it would take more than the decoding
// ceiling to hold.
Image readGif(const uint8_t* data, size_t size, const std::string& what);

}  // namespace cb
