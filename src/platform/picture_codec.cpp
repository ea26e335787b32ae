#include "platform/picture_codec.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "platform/errors.h"

namespace cb {
namespace {

Image fromSurface(SDL_Surface* loaded, const std::string& what) {
    if (!loaded) throw PlatformError("cannot read picture " + what + ": " + IMG_GetError());
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) throw PlatformError("cannot convert picture " + what);
    Image image(argb->w, argb->h);
    for (int y = 0; y < argb->h; ++y)
        std::memcpy(&image.pixels[static_cast<size_t>(y) * argb->w],
                    static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
    SDL_FreeSurface(argb);
    return image;
}

}  // namespace

Image decodePicture(const uint8_t* data, size_t size, const std::string& what) {
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw) throw PlatformError("cannot open picture " + what);
    return fromSurface(IMG_Load_RW(rw, 1), what);
}

Image decodePictureFile(const std::string& resolvedPath) {
    return fromSurface(IMG_Load(resolvedPath.c_str()), resolvedPath);
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
