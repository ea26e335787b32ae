#include "canvas/flood_fill.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cb {

namespace {

// A page of line drawings keeps a few hundred segments open at a time, a comb with a tooth in
// every other column about 400. Noise-like pictures can need tens of thousands; the stack then
// grows to that once.
constexpr std::size_t kSegmentsPerRow = 4;

// The row scans below do most of the work of a big fill, so they look at eight pixels at a time
// where the processor allows; the plain loops after them finish the last few pixels.
#if defined(__SSE2__)
struct Eight {
    __m128i low;
    __m128i high;
};

inline Eight load8(const std::uint32_t* p) {
    return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4))};
}

// A bit per byte of the eight pixels: set where the pixel equals `value`.
inline int equal_mask(Eight e, __m128i value) {
    return _mm_movemask_epi8(_mm_cmpeq_epi32(e.low, value)) |
           (_mm_movemask_epi8(_mm_cmpeq_epi32(e.high, value)) << 16);
}

inline void store8(std::uint32_t* p, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), value);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 4), value);
}
#endif

// Paints the pixels from `from` rightwards that have the value `old`, stopping before `end`;
// returns the first pixel not painted.
inline int paint_right(std::uint32_t* row, int from, int end, std::uint32_t old,
                       std::uint32_t colour) {
    int x = from;
#if defined(__SSE2__)
    const __m128i old4 = _mm_set1_epi32(static_cast<int>(old));
    const __m128i colour4 = _mm_set1_epi32(static_cast<int>(colour));
    for (; x + 8 <= end && equal_mask(load8(row + x), old4) == -1; x += 8) store8(row + x, colour4);
#endif
    for (; x < end && row[x] == old; ++x) row[x] = colour;
    return x;
}

// Paints the pixels left of `from` that have the value `old`, down to column 0 at most;
// returns the leftmost pixel painted (or `from` if none was).
inline int paint_left(std::uint32_t* row, int from, std::uint32_t old, std::uint32_t colour) {
    int x = from;
#if defined(__SSE2__)
    const __m128i old4 = _mm_set1_epi32(static_cast<int>(old));
    const __m128i colour4 = _mm_set1_epi32(static_cast<int>(colour));
    for (; x >= 8 && equal_mask(load8(row + x - 8), old4) == -1; x -= 8)
        store8(row + x - 8, colour4);
#endif
    for (; x > 0 && row[x - 1] == old; --x) row[x - 1] = colour;
    return x;
}

// The first pixel from `from` on, before `end`, that has the value `old`, or `end`.
inline int find(const std::uint32_t* row, int from, int end, std::uint32_t old) {
    int x = from;
#if defined(__SSE2__)
    const __m128i old4 = _mm_set1_epi32(static_cast<int>(old));
    for (; x + 8 <= end && equal_mask(load8(row + x), old4) == 0; x += 8) {
    }
#endif
    for (; x < end && row[x] != old; ++x) {
    }
    return x;
}

}  // namespace

FloodFiller::FloodFiller(int width, int height) {
    stack_.reserve(kSegmentsPerRow * static_cast<std::size_t>(std::max(width, height)));
}

FillResult FloodFiller::fill(std::span<std::uint32_t> pixels, int width, int height, int x, int y,
                             std::uint32_t colour) {
    assert(width > 0 && height > 0);
    assert(pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    assert(x >= 0 && x < width && y >= 0 && y < height);

    std::uint32_t* const image = pixels.data();
    auto row_at = [&](int row) { return image + static_cast<std::size_t>(row) * width; };
    const std::uint32_t old = row_at(y)[x];
    if (old == colour) return {};

    // Kept in locals rather than in a FillResult until the end: a pixel store may change any int
    // in memory as far as the compiler knows, so fields would be reloaded after every one.
    int first_row = y;
    int last_row = y;
    std::int64_t painted = 0;

    stack_.clear();
    {
        std::uint32_t* row = row_at(y);
        const int left = paint_left(row, x, old, colour);
        const int end = paint_right(row, x, width, old, colour);
        painted = end - left;
        if (y > 0) stack_.push_back({y, left, end - 1, -1});
        if (y + 1 < height) stack_.push_back({y, left, end - 1, +1});
    }

    while (!stack_.empty()) {
        // The segment being looked at is held in plain ints: the compiler keeps them in registers,
        // where a struct that is copied around would live on the stack.
        const Segment popped = stack_.back();
        stack_.pop_back();
        int parent_y = popped.y;
        int parent_left = popped.left;
        int parent_right = popped.right;
        const int dy = popped.dy;
        const int last_y = dy > 0 ? height - 1 : 0;  // the last row in this direction
        // Follow one child of each segment straight on without a trip through the stack: in a
        // plain area that is the whole fill, one row after another.
        for (;;) {
            const int y_here = parent_y + dy;
            const bool ahead_exists = y_here != last_y;
            std::uint32_t* const row = row_at(y_here);
            int next_left = -1;  // none yet
            int next_right = -1;
            bool painted_here = false;

            int cursor = parent_left;
            while (cursor <= parent_right) {
                if (row[cursor] != old) {
                    cursor = find(row, cursor + 1, parent_right + 1, old);
                    continue;
                }
                // Only a run that starts under the parent's left end can reach past it. Most runs
                // in a detailed page are short, so the first pixel either side is looked at here.
                int left = cursor;
                if (cursor == parent_left && cursor > 0 && row[cursor - 1] == old) {
                    left = paint_left(row, cursor, old, colour);
                }
                row[cursor] = colour;
                int end = cursor + 1;
                if (end < width && row[end] == old) end = paint_right(row, end, width, old, colour);
                const int right = end - 1;
                painted += end - left;

                // The row ahead needs a look over the whole run. The row behind is painted
                // under the parent already, so only the parts that stick out past it need one.
                if (ahead_exists) {
                    if (next_left >= 0) {
                        stack_.push_back({y_here, left, right, dy});
                    } else {
                        next_left = left;
                        next_right = right;
                    }
                }
                if (left < parent_left) stack_.push_back({y_here, left, parent_left - 1, -dy});
                if (right > parent_right) stack_.push_back({y_here, parent_right + 1, right, -dy});

                // `end` is a border pixel or past the edge.
                cursor = end + 1;
                painted_here = true;
            }
            if (next_left < 0) {
                // Every row of the chain before this one went on to a next row, so it was painted.
                const int first = popped.y + dy;
                const int last = painted_here ? y_here : y_here - dy;
                if (first != last + dy) {
                    first_row = std::min({first_row, first, last});
                    last_row = std::max({last_row, first, last});
                }
                break;
            }
            parent_y = y_here;
            parent_left = next_left;
            parent_right = next_right;
        }
    }
    return {first_row, last_row, painted};
}

}  // namespace cb
