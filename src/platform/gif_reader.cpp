#include "platform/gif_reader.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/sdl_memory_ceiling.h"

namespace cb {
namespace {

// GIF bytes handed to giflib from memory.
struct GifSource {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
    GifSource& source = *static_cast<GifSource*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(std::max(wanted, 0)), source.size - source.at);
    std::memcpy(out, source.data + source.at, n);
    source.at += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};

[[noreturn]] void unreadable(const std::string& what, const std::string& why) {
    throw PlatformError("cannot read picture " + what + ": " + why);
}

}  // namespace

Image readGif(const uint8_t* data, size_t size, const std::string& what) {
    GifSource source{data, size};
    int error = 0;
    const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readFromMemory, &error));
    if (!gif) unreadable(what, GifErrorString(error));
    int transparent = -1;
    for (GifRecordType record = UNDEFINED_RECORD_TYPE; record != IMAGE_DESC_RECORD_TYPE;) {
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR || record == TERMINATE_RECORD_TYPE)
            unreadable(what, "no picture in it");
        if (record != EXTENSION_RECORD_TYPE) continue;
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
            unreadable(what, GifErrorString(gif->Error));
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1))
            transparent = block[4];
        while (block)
            if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                unreadable(what, GifErrorString(gif->Error));
    }
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) unreadable(what, GifErrorString(gif->Error));
    const GifImageDesc& desc = gif->Image;
    const int width = desc.Width, height = desc.Height;
    if (width <= 0 || height <= 0) unreadable(what, "no pixels");
    if (static_cast<size_t>(width) * height * 4 > kDecodingCeilingBytes)
        unreadable(what, "too large");

    std::array<uint32_t, 256> palette;
    palette.fill(0xFFFFFFFF);
    // Without a colour table of its own the picture takes the global one, as long as the
    // screen's description says (black where the file has none).
    const ColorMapObject* table = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    const int colours = desc.ColorMap ? desc.ColorMap->ColorCount : 2 << (data[10] & 7);
    for (int i = 0; i < colours && i < 256; ++i) {
        const GifColorType c =
            table && i < table->ColorCount ? table->Colors[i] : GifColorType{0, 0, 0};
        palette[i] = 0xFF000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
    }
    if (transparent >= 0) palette[transparent] &= 0x00FFFFFF;

    std::vector<GifPixelType> indices(static_cast<size_t>(width) * height, 0);
    // Rows in the order the file holds them: four passes when it is interlaced.
    std::vector<int> rows;
    rows.reserve(height);
    if (desc.Interlace) {
        for (auto [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = first; y < height; y += step) rows.push_back(y);
    } else {
        for (int y = 0; y < height; ++y) rows.push_back(y);
    }
    for (int y : rows)
        if (DGifGetLine(gif.get(), &indices[static_cast<size_t>(y) * width], width) == GIF_ERROR)
            break;

    Image image(width, height);
    for (size_t i = 0; i < indices.size(); ++i) image.pixels[i] = palette[indices[i]];
    return image;
}

}  // namespace cb
