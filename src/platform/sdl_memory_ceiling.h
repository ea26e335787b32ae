// A ceiling on SDL's allocator while a file the program does not control is decoded: the
// decoders behind SDL, SDL_image and SDL_mixer allocate what a file's header asks for, and a
// damaged size field would otherwise have them reserve or clear gigabytes before they find
// that the data is not there. With the ceiling, such a request fails like any other
// unreadable file.
#pragma once

#include <cstddef>

namespace cb {

// The most one request may take while a ceiling holds: about ten times the largest picture of
// the book (1024 x 768) and a hundred times its longest sound.
constexpr size_t kDecodingCeilingBytes = size_t(32) << 20;

// The ceiling holds on this thread for as long as one of these lives.
class SdlMemoryCeiling {
  public:
    SdlMemoryCeiling();
    ~SdlMemoryCeiling();
    SdlMemoryCeiling(const SdlMemoryCeiling&) = delete;
    SdlMemoryCeiling& operator=(const SdlMemoryCeiling&) = delete;

  private:
    bool outer_;
};

}  // namespace cb
