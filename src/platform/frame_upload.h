// Which parts of a frame go to the screen's texture: the changed rectangles, kept inside both
// the frame and the texture. Pure, so it is checked without a display.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace cb {

// The rectangles to upload for one present. The whole common area when nothing has been
// uploaded yet or when the caller names no rectangle; otherwise each changed rectangle cut to
// the common area, the empty ones dropped.
std::vector<Rect> uploadRegions(const std::vector<Rect>& changed, int frameWidth, int frameHeight,
                                int textureWidth, int textureHeight, bool firstUpload);

}  // namespace cb
