#include "page_bitmap.h"

#include <algorithm>
#include <climits>

namespace book {
namespace {

// Labels the connected pieces of one kind of pixel (ink or paper) and returns their sizes.
// Paper joins only through its four neighbours, the way the fill spreads; ink joins through
// all eight, so a diagonal line counts as one piece.
std::vector<int> label(const PageBitmap& page, bool ink, bool eight, std::vector<int>& labels) {
    const int w = page.width, h = page.height;
    labels.assign(static_cast<size_t>(w) * h, -1);
    std::vector<int> sizes;
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (labels[start] != -1 || (page.ink[start] != 0) != ink) continue;
        const int id = static_cast<int>(sizes.size());
        int count = 0;
        labels[start] = id;
        stack.push_back(start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            ++count;
            const int x = p % w, y = p / w;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if ((dx == 0 && dy == 0) || (!eight && dx != 0 && dy != 0)) continue;
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const int q = ny * w + nx;
                    if (labels[q] != -1 || (page.ink[q] != 0) != ink) continue;
                    labels[q] = id;
                    stack.push_back(q);
                }
            }
        }
        sizes.push_back(count);
    }
    return sizes;
}

bool inBlock(const PageBitmap& page, int x, int y) {
    for (int oy = -1; oy <= 0; ++oy) {
        for (int ox = -1; ox <= 0; ++ox) {
            const int x0 = x + ox, y0 = y + oy;
            if (x0 < 0 || y0 < 0 || x0 + 1 >= page.width || y0 + 1 >= page.height) continue;
            if (page.at(x0, y0) && page.at(x0 + 1, y0) && page.at(x0, y0 + 1) &&
                page.at(x0 + 1, y0 + 1))
                return true;
        }
    }
    return false;
}

}  // namespace

PageReport checkPage(const PageBitmap& page, bool blankPage) {
    PageReport r;
    std::vector<int> paper;
    const std::vector<int> areas = label(page, false, false, paper);
    r.areas = static_cast<int>(areas.size());
    r.smallestArea = areas.empty() ? 0 : *std::min_element(areas.begin(), areas.end());
    for (int size : areas) {
        if (size < kSpeckLimit)
            ++r.whiteSpecks;
        else if (size < kDetailLimit)
            ++r.detailAreas;
    }
    std::vector<int> inkLabels;
    for (int size : label(page, true, true, inkLabels))
        if (size < kSpeckLimit) ++r.inkSpecks;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (page.at(x, y) && !inBlock(page, x, y)) ++r.thinInk;

    // Every white pixel on the edge must belong to the same area: the paper around the figure.
    int outside = -1;
    auto edge = [&](int x, int y) {
        const int id = paper[static_cast<size_t>(y) * page.width + x];
        if (id < 0) return;
        if (outside < 0)
            outside = id;
        else if (id != outside)
            r.outsideIsOneArea = false;
    };
    for (int x = 0; x < page.width; ++x) edge(x, 0), edge(x, page.height - 1);
    for (int y = 0; y < page.height; ++y) edge(0, y), edge(page.width - 1, y);
    r.outsidePixels = outside < 0 ? 0 : areas[outside];

    auto problem = [&](std::string text) { r.problems.push_back(std::move(text)); };
    if (!r.twoColours) problem("pixels other than black and white");
    if (blankPage) {
        if (r.areas != 1 || r.outsidePixels != page.width * page.height)
            problem("the blank page is not plain white");
        return r;
    }
    if (r.areas < kMinAreas || r.areas > kMaxAreas)
        problem("area count " + std::to_string(r.areas) + " outside " + std::to_string(kMinAreas) +
                ".." + std::to_string(kMaxAreas));
    if (r.whiteSpecks > 0) problem(std::to_string(r.whiteSpecks) + " white specks");
    if (r.inkSpecks > 0) problem(std::to_string(r.inkSpecks) + " ink specks");
    if (r.detailAreas > kMaxDetails)
        problem(std::to_string(r.detailAreas) + " tiny areas (at most " +
                std::to_string(kMaxDetails) + ")");
    if (r.thinInk > kMaxThinInk) problem(std::to_string(r.thinInk) + " pixels of too-thin ink");
    if (outside < 0) problem("no white along the edges");
    if (!r.outsideIsOneArea) problem("the white along the edges is split into several areas");
    return r;
}

}  // namespace book
