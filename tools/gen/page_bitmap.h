// A page as the book ships it: 750 x 600 pixels, each either ink (black) or paper (white),
// and the rules a page must keep so that every area can be filled by a child.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace book {

constexpr int kPageWidth = 750;
constexpr int kPageHeight = 600;

struct PageBitmap {
    int width = kPageWidth;
    int height = kPageHeight;
    std::vector<uint8_t> ink;  // 1 = black outline pixel, 0 = white paper

    bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x] != 0; }
};

// The figures of one page's check, in the order a reader wants them.
struct PageReport {
    bool twoColours = true;        // false when the source had grey or coloured pixels
    int areas = 0;                 // white 4-connected areas, the outside included
    int smallestArea = 0;          // pixels of the smallest white area
    int detailAreas = 0;           // white areas from kSpeckLimit up to kDetailLimit pixels
    int whiteSpecks = 0;           // white areas under kSpeckLimit pixels
    int inkSpecks = 0;             // black 8-connected pieces under kSpeckLimit pixels
    int thinInk = 0;               // black pixels not inside any 2 x 2 black block
    bool outsideIsOneArea = true;  // every white edge pixel lies in one area
    int outsidePixels = 0;         // size of that outside area
    std::vector<std::string> problems;

    bool ok() const { return problems.empty(); }
};

constexpr int kMinAreas = 8;
constexpr int kMaxAreas = 40;
constexpr int kSpeckLimit = 20;    // smaller than this is dirt, not a place to colour
constexpr int kDetailLimit = 150;  // smaller than this is a deliberate tiny detail (an eye)
constexpr int kMaxDetails = 6;
constexpr int kMaxThinInk = 40;  // a few single pixels at sharp tips are tolerated

PageReport checkPage(const PageBitmap& page, bool blankPage = false);

}  // namespace book
