#include "platform/frame_upload.h"

#include <algorithm>

namespace cb {

std::vector<Rect> uploadRegions(const std::vector<Rect>& changed, int frameWidth, int frameHeight,
                                int textureWidth, int textureHeight, bool firstUpload) {
    const int width = std::min(frameWidth, textureWidth);
    const int height = std::min(frameHeight, textureHeight);
    std::vector<Rect> regions;
    if (width <= 0 || height <= 0) return regions;
    if (firstUpload || changed.empty()) {
        regions.push_back({0, 0, width, height});
        return regions;
    }
    regions.reserve(changed.size());
    for (const Rect& r : changed) {
        const int left = std::max(r.x, 0);
        const int top = std::max(r.y, 0);
        const int right = std::min(r.x + r.w, width);
        const int bottom = std::min(r.y + r.h, height);
        const Rect cut{left, top, right - left, bottom - top};
        if (!cut.empty()) regions.push_back(cut);
    }
    return regions;
}

}  // namespace cb
