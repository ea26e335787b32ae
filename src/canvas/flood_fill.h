#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace cb {

// What a fill changed, so the caller can redraw only those rows. When nothing changed,
// pixels_changed is 0 and first_row > last_row.
struct FillResult {
    int first_row = 0;
    int last_row = -1;  // inclusive
    std::int64_t pixels_changed = 0;

    bool changed() const { return pixels_changed != 0; }
};

// Paints the 4-connected area of pixels that have exactly the seed pixel's value. A span
// (scanline) fill with an explicit stack of row segments, which the filler keeps between fills:
// create one per canvas and reuse it, and repeated fills do not allocate once the stack has
// grown to what the page needs. The stack holds at most three segments per run the fill paints,
// so it is bounded by the canvas.
class FloodFiller {
  public:
    // Reserves the stack for the fills of a canvas of this size.
    FloodFiller(int width, int height);

    // Fills the area around (x, y) of the row-major image `pixels` (width * height values)
    // with `colour`. (x, y) must be inside the image. An area that already has the colour is
    // left alone at once.
    FillResult fill(std::span<std::uint32_t> pixels, int width, int height, int x, int y,
                    std::uint32_t colour);

    // The stack's reserved size in segments; it only ever grows.
    std::size_t scratch_capacity() const { return stack_.capacity(); }

  private:
    // Row `y` was painted over [left, right]; row y + dy still has to be looked at there.
    struct Segment {
        int y;
        int left;
        int right;
        int dy;
    };

    std::vector<Segment> stack_;
};

}  // namespace cb
