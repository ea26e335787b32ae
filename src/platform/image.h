// A decoded picture in the one pixel layout the program composes with: 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace cb {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // row-major, 0xAARRGGBB

    Image() = default;
    Image(int w, int h, uint32_t fill = 0xFFFFFFFF)
        : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

using Picture = std::shared_ptr<const Image>;

// A mouse cursor: its picture and the pixel of it that points.
struct Cursor {
    Picture image;
    int hotX = 0;
    int hotY = 0;
};

// The colour value the program's logic speaks in: 0x00BBGGRR, red in the low byte.
constexpr uint32_t rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}
constexpr uint32_t pixelFromColour(uint32_t colour) {
    return 0xFF000000u | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}
constexpr uint32_t colourFromPixel(uint32_t pixel) {
    return (pixel >> 16 & 0xFF) | (pixel & 0xFF00) | (pixel & 0xFF) << 16;
}

}  // namespace cb
