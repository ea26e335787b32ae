// Any bytes in a picture file of the book, read as the program reads every picture: the file
// named as the program names it, resolved, and decoded by whatever its content says it is.
// The decoder may refuse the file with an exception, which the handler's guard catches; it must
// never crash, hang or hand back a picture whose pixels do not match its size.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "platform/paths.h"
#include "platform/picture_codec.h"
#include "scratch_folder.h"

// Where the pixels read go, so that the compiler keeps the reads.
volatile uint32_t pixelSink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path folder = cbfuzz::scratchFolder() / "PICTURE";
    static const bool made = std::filesystem::create_directories(folder);
    (void)made;
    cbfuzz::writeFile(folder / "GLAVNA.JPG", data, size);
    try {
        // The name as the program writes it: upper case, backslashes.
        const cb::Image image = cb::decodePictureFile(
            cb::resolvePath(cbfuzz::scratchFolder().string() + "\\picture\\glavna.jpg"));
        if (image.width < 0 || image.height < 0 ||
            image.pixels.size() != static_cast<size_t>(image.width) * image.height)
            std::abort();
        // Every pixel is read, as composing the frame does, so that a short buffer shows.
        uint32_t all = 0;
        for (uint32_t p : image.pixels) all |= p;
        pixelSink = all;
    } catch (const std::exception&) {
        // Refused: the program's guard ends the handler here.
    }
    return 0;
}
