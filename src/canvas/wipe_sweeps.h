// The wipe's sweeps as data. A sweep is 450,000 steps, each painting one canvas pixel white;
// a step that falls outside the canvas paints nothing but takes its time all the same.
#pragma once

#include <array>

namespace cb {

struct Sweep {
    bool byRows;     // rows are the outer loop; else columns are
    int outerFirst;  // the first row (or column)
    int outerStep;   // +1, -1, or +2 for every other row
    int innerFirst;  // the first x along a row (or y down a column)
    int innerStep;
    int outerCount;
    int innerCount;
};

constexpr int kCanvasW = 750, kCanvasH = 600;
constexpr int kSweepSteps = kCanvasW * kCanvasH;

constexpr Sweep kRowsDown{true, 0, 1, 0, 1, kCanvasH, kCanvasW};
constexpr Sweep kColumnsRight{false, 0, 1, 0, 1, kCanvasW, kCanvasH};
constexpr Sweep kColumnsLeft{false, kCanvasW - 1, -1, 0, 1, kCanvasW, kCanvasH};
constexpr Sweep kRowsUp{true, kCanvasH - 1, -1, kCanvasW - 1, -1, kCanvasH, kCanvasW};
// Rows 0, 2, 4 ... 1198: the first half paints the even rows, the second half falls below
// the canvas and makes a pause as long as the visible part.
constexpr Sweep kEveryOtherRow{true, 0, 2, 0, 1, kCanvasH, kCanvasW};

struct StepPoint {
    int x, y;
};
constexpr StepPoint stepPoint(const Sweep& s, int step) {
    const int outer = s.outerFirst + s.outerStep * (step / s.innerCount);
    const int inner = s.innerFirst + s.innerStep * (step % s.innerCount);
    return s.byRows ? StepPoint{inner, outer} : StepPoint{outer, inner};
}
constexpr bool onCanvas(StepPoint p) {
    return p.x >= 0 && p.y >= 0 && p.x < kCanvasW && p.y < kCanvasH;
}

// The eight patterns, numbered 1 to 8: one sweep, or every other row and then another.
struct WipePattern {
    const Sweep* first;
    const Sweep* second;  // null for none
};
constexpr std::array<WipePattern, 8> kWipePatterns = {{
    {&kRowsDown, nullptr},
    {&kColumnsRight, nullptr},
    {&kColumnsLeft, nullptr},
    {&kRowsUp, nullptr},
    {&kEveryOtherRow, &kColumnsRight},
    {&kEveryOtherRow, &kRowsDown},
    {&kEveryOtherRow, &kColumnsLeft},
    {&kEveryOtherRow, &kRowsUp},
}};

}  // namespace cb
