#include "platform/picture_codec.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/gif_reader.h"
#include "platform/paths.h"
#include "platform/sdl_memory_ceiling.h"

namespace cb {
namespace {

// The largest picture file read, and the most a picture may take to hold.
constexpr size_t kMaxPictureBytes = kDecodingCeilingBytes;

[[noreturn]] void unreadable(const std::string& what, const std::string& why) {
    throw PlatformError("cannot read picture " + what + ": " + why);
}

// Whether every chunk of a PNG lies whole inside the file, up to its end chunk. SDL_image's
// reader for libpng ignores a read that comes up short, so libpng, reading on past the end of
// a cut or damaged file, meets the same stale chunk again and again, for ever.
bool pngChunksWhole(const uint8_t* data, size_t size) {
    for (size_t at = 8; size >= 12 && at <= size - 12;) {
        const uint32_t length = uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 |
                                uint32_t(data[at + 2]) << 8 | data[at + 3];
        if (length > size - at - 12) return false;
        const bool last = std::memcmp(data + at + 4, "IEND", 4) == 0;
        at += 12 + size_t(length);
        if (last) return true;
    }
    return false;
}

// Whether the picture SDL_image takes from an icon file has pixels. It takes the first entry
// with the most colours (a field of 0 meaning 256, and bytes past the end reading as 0); given
// one without width or height it does arithmetic on a null pointer before it gives up.
bool iconHasPixels(const uint8_t* data, size_t size) {
    const auto byte = [&](size_t at) -> uint32_t { return at < size ? data[at] : 0; };
    const auto le32 = [&](size_t at) {
        return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | byte(at + 3) << 24;
    };
    const uint32_t entries = byte(4) | byte(5) << 8;
    uint32_t mostColours = 0, offset = 0;
    for (uint32_t i = 0; i < entries; ++i) {
        const uint32_t colours = byte(6 + 16 * size_t(i) + 2) ? byte(6 + 16 * size_t(i) + 2) : 256;
        if (colours > mostColours) {
            mostColours = colours;
            offset = le32(6 + 16 * size_t(i) + 12);
        }
    }
    // A header of another kind SDL_image refuses by itself; a height counts the mask too.
    if (le32(offset) != 40) return true;
    const auto width = static_cast<int32_t>(le32(size_t(offset) + 4));
    const auto height = static_cast<int32_t>(le32(size_t(offset) + 8));
    return width > 0 && (height >> 1) > 0;
}

}  // namespace

Image imageFromSurface(SDL_Surface* loaded, const std::string& what) {
    if (!loaded) unreadable(what, IMG_GetError());
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) throw PlatformError("cannot convert picture " + what);
    // A picture without pixels is no picture: nothing downstream has to expect one.
    if (argb->w <= 0 || argb->h <= 0) {
        SDL_FreeSurface(argb);
        unreadable(what, "no pixels");
    }
    Image image(argb->w, argb->h);
    for (int y = 0; y < argb->h; ++y)
        std::memcpy(&image.pixels[static_cast<size_t>(y) * argb->w],
                    static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
    SDL_FreeSurface(argb);
    return image;
}

Image decodePicture(const uint8_t* data, size_t size, const std::string& what) {
    if (size > kMaxPictureBytes) unreadable(what, "too large");
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw) throw PlatformError("cannot open picture " + what);
    // The kind is told by the content, in SDL_image's order of asking, whatever the name says.
    // Only the five kinds a book is made of are read: every other decoder behind SDL_image
    // stays out of reach of a damaged file.
    SDL_Surface* loaded = nullptr;
    {
        const SdlMemoryCeiling ceiling;
        if (IMG_isICO(rw) && iconHasPixels(data, size))
            loaded = IMG_LoadICO_RW(rw);
        else if (IMG_isICO(rw))
            IMG_SetError("an icon without pixels");
        else if (IMG_isBMP(rw))
            loaded = IMG_LoadBMP_RW(rw);
        else if (IMG_isGIF(rw)) {
            SDL_RWclose(rw);
            return readGif(data, size, what);
        } else if (IMG_isJPG(rw))
            loaded = IMG_LoadJPG_RW(rw);
        else if (IMG_isPNG(rw) && pngChunksWhole(data, size))
            loaded = IMG_LoadPNG_RW(rw);
        else if (IMG_isPNG(rw))
            IMG_SetError("a PNG cut short or damaged");
        else
            IMG_SetError("not a JPEG, GIF, icon, bitmap or PNG picture");
    }
    SDL_RWclose(rw);
    const SdlMemoryCeiling ceiling;
    return imageFromSurface(loaded, what);
}

Image decodePictureFile(const std::string& resolvedPath) {
    const std::vector<uint8_t> bytes = readWholeFile(resolvedPath, kMaxPictureBytes);
    return decodePicture(bytes.data(), bytes.size(), resolvedPath);
}

namespace {

// Writes a GIF of the picture with the palette given; each pixel is the index of its colour.
bool writeGif(const Image& image, const std::vector<uint32_t>& palette,
              const std::vector<GifPixelType>& indices, const std::string& path) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) return false;
    int bits = 1;
    while ((1 << bits) < static_cast<int>(palette.size())) ++bits;
    std::vector<GifColorType> colours(size_t(1) << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i)
        colours[i] = {GifByteType(palette[i] >> 16), GifByteType(palette[i] >> 8),
                      GifByteType(palette[i])};
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    bool ok = map && EGifPutScreenDesc(gif, image.width, image.height, bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height; ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(&indices[size_t(y) * image.width]),
                         image.width) == GIF_OK;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    return ok;
}

}  // namespace

void writeLosslessPicture(const Image& image, const std::string& resolvedPath) {
    std::vector<uint32_t> palette;
    std::unordered_map<uint32_t, GifPixelType> index;
    std::vector<GifPixelType> indices(image.pixels.size());
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t rgb = image.pixels[i] & 0xFFFFFF;
        auto found = index.find(rgb);
        if (found == index.end()) {
            if (palette.size() == 256) return writeBitmap(image, resolvedPath);
            found = index.emplace(rgb, GifPixelType(palette.size())).first;
            palette.push_back(rgb);
        }
        indices[i] = found->second;
    }
    if (palette.empty()) palette.push_back(0);
    if (!writeGif(image, palette, indices, resolvedPath))
        throw PlatformError("cannot write " + resolvedPath);
}

void writeBitmap(const Image& image, const std::string& resolvedPath) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(image.pixels.data()), image.width, image.height, 32, image.width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (!surface) throw PlatformError("cannot prepare the bitmap");
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_BGR24, 0);
    SDL_FreeSurface(surface);
    if (!rgb) throw PlatformError("cannot prepare the bitmap");
    const int result = SDL_SaveBMP(rgb, resolvedPath.c_str());
    SDL_FreeSurface(rgb);
    if (result != 0) throw PlatformError("cannot write " + resolvedPath);
}

}  // namespace cb
