#include "platform/platform.h"

#include <unistd.h>

#include <cstring>

#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/picture_codec.h"

namespace cb {

uint32_t Platform::fileLength(const std::string& path) {
    return cb::fileLength(path);
}

Picture Platform::loadPicture(const std::string& path) {
    return std::make_shared<const Image>(decodePictureFile(resolvePath(path)));
}

void Platform::savePicture(const Image& image, const std::string& path) {
    writeLosslessPicture(image, resolvePath(path));
}

std::string Platform::programDirectory() {
    return executableDirectory();
}

std::string Platform::userFolder(const std::string& programFolder) {
    return cb::userFolder(programFolder);
}

void Platform::setCurrentDirectory(const std::string& path) {
    if (chdir(resolvePath(path).c_str()) != 0) throw PlatformError("cannot change to " + path);
}

// The classic form toolkit's generator: 24-bit linear congruential, seeded with 327680, so the
// first number of a run is always 0.7055475.
float Platform::rnd() {
    rndSeed_ = (rndSeed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<float>(rndSeed_) / 16777216.0f;
}

// Mixes the clock's bits into the middle sixteen bits of the seed, as that toolkit does.
void Platform::randomize() {
    const double now = timer();
    uint64_t bits = 0;
    std::memcpy(&bits, &now, sizeof bits);
    uint32_t high = static_cast<uint32_t>(bits >> 32);
    high = ((high >> 16) ^ high) & 0xFFFFu;
    rndSeed_ = (rndSeed_ & 0xFF0000FFu) | (high << 8);
}

}  // namespace cb
