#include "platform/platform.h"

#include <unistd.h>

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
    writeBitmap(image, resolvePath(path));
}

std::string Platform::programDirectory() {
    return executableDirectory();
}

void Platform::setCurrentDirectory(const std::string& path) {
    if (chdir(resolvePath(path).c_str()) != 0) throw PlatformError("cannot change to " + path);
}

}  // namespace cb
