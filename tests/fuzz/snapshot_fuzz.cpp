// The print's snapshot: the canvas written as the printing step writes it and read back as it
// reads it, for canvases of any content and of any size up to a little over the real one.
// What comes back must be the picture written, pixel for pixel, whichever of the two file
// kinds (a GIF for at most 256 colours, else a bitmap) the writer chose.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/paths.h"
#include "platform/picture_codec.h"
#include "scratch_folder.h"

namespace {

// Numbers taken from the front of the input; an input used up gives the smallest value.
class Input {
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return size_ == 0; }
    uint32_t take(int bytes) {
        uint32_t value = 0;
        for (int i = 0; i < bytes && size_ > 0; ++i, ++data_, --size_) value = value << 8 | *data_;
        return value;
    }
    // A number from low to high, both included.
    size_t inRange(size_t low, size_t high) {
        const int bytes = high - low < 256 ? 1 : high - low < 65536 ? 2 : 4;
        return low + take(bytes) % (high - low + 1);
    }

  private:
    const uint8_t* data_;
    size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path folder = cbfuzz::scratchFolder() / "MY_PICTURE";
    static const bool made = std::filesystem::create_directories(folder);
    (void)made;

    Input input(data, size);
    const int width = static_cast<int>(input.inRange(1, 800));
    const int height = static_cast<int>(input.inRange(1, 650));
    // The colours the picture uses: a page coloured with a few, or a photograph's many.
    const size_t colourCount = input.inRange(1, 400);
    std::vector<uint32_t> colours(colourCount);
    for (uint32_t& c : colours) c = input.take(4);
    // The pixels: runs of one colour, as fills and strokes leave them.
    cb::Image image(width, height);
    size_t at = 0;
    while (at < image.pixels.size()) {
        const uint32_t colour = colours[input.inRange(0, colourCount - 1)];
        const size_t run = input.empty() ? image.pixels.size() - at : input.inRange(1, 4096);
        for (size_t end = std::min(at + run, image.pixels.size()); at < end; ++at)
            image.pixels[at] = colour;
    }

    const std::string snapshot = cbfuzz::scratchFolder().string() + "\\MY_PICTURE\\01.GIF";
    cb::writeLosslessPicture(image, cb::resolvePath(snapshot));
    const cb::Image back = cb::decodePictureFile(cb::resolvePath(snapshot));
    if (back.width != width || back.height != height) std::abort();
    // The file keeps colour, not transparency: every pixel comes back opaque.
    for (size_t i = 0; i < image.pixels.size(); ++i)
        if (back.pixels[i] != (image.pixels[i] | 0xFF000000)) std::abort();
    return 0;
}
