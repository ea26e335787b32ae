// Printing on the family's printer.
#include "platform/errors.h"
#include "platform/sdl_platform.h"

namespace cb {

void SdlPlatform::printPicture(const Image&, const std::string&) {
    throw PlatformError("no printer");
}

}  // namespace cb
