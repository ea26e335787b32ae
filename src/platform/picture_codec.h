// Picture decoding and encoding, shared by both platforms so that tests read real files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/image.h"

struct SDL_Surface;

namespace cb {

// The picture SDL_image loaded (taken over and freed), as 32-bit ARGB; throws PlatformError
// when there is none (SDL_image's reason given), when it cannot be converted, or when it has
// no pixels.
Image imageFromSurface(SDL_Surface* loaded, const std::string& what);

// Decodes JPEG, GIF, ICO, BMP or PNG bytes, told apart by their content whatever the file's
// name says; throws PlatformError on anything unreadable, on any other kind of picture, on a
// picture without pixels and on one that would take more than 32 MB to hold.
Image decodePicture(const uint8_t* data, size_t size, const std::string& what);
Image decodePictureFile(const std::string& resolvedPath);

// Writes a 24-bit Windows bitmap; throws PlatformError when the file cannot be written.
void writeBitmap(const Image& image, const std::string& resolvedPath);

// Writes a picture so that it reads back pixel for pixel: a GIF when it has at most 256
// colours (a coloured page always has), else a bitmap. Throws when it cannot be written.
void writeLosslessPicture(const Image& image, const std::string& resolvedPath);

}  // namespace cb
