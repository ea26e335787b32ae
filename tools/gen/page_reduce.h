// Thumbnails of pages: the page reduced by area averaging, so thin outlines stay smooth grey
// lines instead of breaking up.
#pragma once

#include <vector>

#include "page_bitmap.h"

namespace book {

struct GreyImage {
    int width = 0, height = 0;
    std::vector<double> ink;  // share of each pixel covered by ink, 0..1
};

// Each output pixel gets the exact share of ink in the part of the page it covers.
GreyImage reducePage(const PageBitmap& page, int width, int height);

}  // namespace book
