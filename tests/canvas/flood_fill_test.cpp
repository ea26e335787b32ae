#include "canvas/flood_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <new>
#include <random>
#include <string>
#include <utility>
#include <vector>

// Counts every allocation of this test program, so a test can say "this call allocated nothing".
// Kept out of line: GCC would otherwise see `free` meet a pointer from `operator new` and warn.
namespace {
std::atomic<long> g_allocations{0};
}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kOutline = 0xFF000000;
constexpr std::uint32_t kPaletteBlack = 0xFF1E1E1E;
constexpr std::uint32_t kRed = 0xFFE02020;
constexpr std::uint32_t kBlue = 0xFF2040E0;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Image(int w, int h, std::uint32_t value) : width(w), height(h), pixels(w * h, value) {}
    std::uint32_t& at(int x, int y) { return pixels[y * width + x]; }

    cb::FillResult fill(cb::FloodFiller& filler, int x, int y, std::uint32_t colour) {
        return filler.fill(pixels, width, height, x, y, colour);
    }
};

// Pictures as text: '.' white, '#' outline, 'k' the palette's black, 'r' red, 'b' blue.
std::uint32_t colour_of(char c) {
    switch (c) {
        case '.':
            return kWhite;
        case '#':
            return kOutline;
        case 'k':
            return kPaletteBlack;
        case 'r':
            return kRed;
        case 'b':
            return kBlue;
    }
    ADD_FAILURE() << "unknown pixel '" << c << "'";
    return 0;
}

Image picture(const std::vector<std::string>& rows) {
    Image image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) image.at(x, y) = colour_of(rows[y][x]);
    return image;
}

// The plain breadth-first fill the span fill must agree with.
void reference_fill(Image& image, int x, int y, std::uint32_t colour) {
    const std::uint32_t old = image.at(x, y);
    if (old == colour) return;
    std::deque<std::pair<int, int>> queue{{x, y}};
    image.at(x, y) = colour;
    while (!queue.empty()) {
        auto [px, py] = queue.front();
        queue.pop_front();
        const std::pair<int, int> neighbours[] = {
            {px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
        for (auto [nx, ny] : neighbours) {
            if (nx < 0 || ny < 0 || nx >= image.width || ny >= image.height) continue;
            if (image.at(nx, ny) != old) continue;
            image.at(nx, ny) = colour;
            queue.emplace_back(nx, ny);
        }
    }
}

// The result must name exactly the pixels and rows that differ between before and after.
void expect_result_describes(const Image& before, const Image& after, const cb::FillResult& r) {
    std::int64_t changed = 0;
    int first = after.height;
    int last = -1;
    for (int i = 0; i < static_cast<int>(after.pixels.size()); ++i) {
        if (before.pixels[i] == after.pixels[i]) continue;
        ++changed;
        first = std::min(first, i / after.width);
        last = std::max(last, i / after.width);
    }
    EXPECT_EQ(r.pixels_changed, changed);
    EXPECT_EQ(r.changed(), changed != 0);
    if (changed != 0) {
        EXPECT_EQ(r.first_row, first);
        EXPECT_EQ(r.last_row, last);
    } else {
        EXPECT_GT(r.first_row, r.last_row);
    }
}

TEST(FloodFill, AgreesWithBreadthFirstFillOnRandomCanvases) {
    const std::uint32_t palette[] = {kWhite, kOutline, kRed};
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 23}, {23, 1},  {2, 2},  {5, 7},
                                         {8, 8}, {16, 9}, {31, 17}, {64, 48}};
    std::mt19937 rng(12345);
    // One filler for every fill, created too small, so reuse and growth are both exercised.
    cb::FloodFiller filler(1, 1);
    for (auto [w, h] : sizes) {
        for (int colours = 2; colours <= 3; ++colours) {
            for (int round = 0; round < 40; ++round) {
                Image image(w, h, kWhite);
                for (auto& p : image.pixels) p = palette[rng() % colours];
                const int x = static_cast<int>(rng() % w);
                const int y = static_cast<int>(rng() % h);
                const std::uint32_t colour = round % 5 == 0 ? kBlue : palette[rng() % colours];

                Image expected = image;
                reference_fill(expected, x, y, colour);
                Image actual = image;
                const cb::FillResult result = actual.fill(filler, x, y, colour);

                SCOPED_TRACE(testing::Message()
                             << w << "x" << h << " seed " << x << "," << y << " round " << round);
                ASSERT_EQ(actual.pixels, expected.pixels);
                expect_result_describes(image, actual, result);
            }
        }
    }
}

struct Fill {
    int x;
    int y;
    char colour;
};

struct PictureCase {
    const char* name;
    std::vector<std::string> before;
    std::vector<Fill> fills;  // the last one's result is checked
    std::vector<std::string> after;
};

TEST(FloodFill, PictureCases) {
    const PictureCase cases[] = {
        {"blank page", {"....", "....", "...."}, {{1, 1, 'r'}}, {"rrrr", "rrrr", "rrrr"}},
        {"white around a ring; the inside stays",
         {".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."},
         {{0, 0, 'r'}},
         {"rrrrrrr", "r#####r", "r#...#r", "r#...#r", "r#####r", "rrrrrrr"}},
        {"inside a ring; the outside stays",
         {".......", ".#####.", ".#...#.", ".#####.", "......."},
         {{3, 2, 'b'}},
         {".......", ".#####.", ".#bbb#.", ".#####.", "......."}},
        {"a one-pixel diagonal line separates",
         {"...#.", "..#..", ".#...", "#...."},
         {{0, 0, 'r'}},
         {"rrr#.", "rr#..", "r#...", "#...."}},
        {"diagonal pixels of a line are not one area",
         {"...#.", "..#..", ".#...", "#...."},
         {{2, 1, 'r'}},
         {"...#.", "..r..", ".#...", "#...."}},
        {"an area that already has the colour",
         {"rr#..", "rr#.."},
         {{0, 1, 'r'}},
         {"rr#..", "rr#.."}},
        {"an area painted the palette's black fills again; the outline stays",
         {"#####", "#kkk#", "#####"},
         {{2, 1, 'r'}},
         {"#####", "#rrr#", "#####"}},
        {"an area painted white joins the white it touches",
         {"..#..", "rrr..", "..#.."},
         {{0, 1, '.'}, {0, 0, 'b'}},
         {"bb#bb", "bbbbb", "bb#bb"}},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = picture(c.before);
        Image before = image;
        cb::FloodFiller filler(image.width, image.height);
        cb::FillResult result;
        for (const Fill& f : c.fills) {
            before = image;
            result = image.fill(filler, f.x, f.y, colour_of(f.colour));
        }
        EXPECT_EQ(image.pixels, picture(c.after).pixels);
        expect_result_describes(before, image, result);
    }
}

// The full page, split by an outline down the middle: each corner fills its own half, right up
// to the edges.
TEST(FloodFill, CornerSeedsOfAFullPage) {
    Image image(750, 600, kWhite);
    for (int y = 0; y < 600; ++y) image.at(375, y) = kOutline;
    cb::FloodFiller filler(750, 600);

    const Image blank = image;
    const cb::FillResult left = image.fill(filler, 0, 0, kRed);
    EXPECT_EQ(left.pixels_changed, 375 * 600);
    expect_result_describes(blank, image, left);
    EXPECT_EQ(image.at(374, 599), kRed);
    EXPECT_EQ(image.at(376, 0), kWhite);

    const Image half = image;
    const cb::FillResult right = image.fill(filler, 749, 599, kBlue);
    EXPECT_EQ(right.pixels_changed, 374 * 600);
    expect_result_describes(half, image, right);
    EXPECT_EQ(image.at(376, 0), kBlue);
    EXPECT_EQ(image.at(375, 0), kOutline);
}

// A comb whose teeth hang from a spine pushes one segment per tooth at once, more than the
// filler starts with; once grown, the same fill again and a fill of an area that already has
// the colour allocate nothing.
TEST(FloodFill, RepeatedFillsDoNotAllocate) {
    Image comb(750, 600, kWhite);
    for (int x = 1; x < 750; x += 2)
        for (int y = 1; y < 600; ++y) comb.at(x, y) = kOutline;
    cb::FloodFiller filler(1, 1);
    const std::size_t first_capacity = filler.scratch_capacity();

    Image image = comb;
    image.fill(filler, 0, 0, kRed);
    EXPECT_GT(filler.scratch_capacity(), first_capacity);

    image = comb;
    long before = g_allocations;
    const cb::FillResult again = image.fill(filler, 0, 0, kRed);
    EXPECT_EQ(g_allocations - before, 0);
    EXPECT_EQ(again.pixels_changed, 750 + 375 * 599);

    const Image painted = image;
    const std::size_t capacity = filler.scratch_capacity();
    before = g_allocations;
    const cb::FillResult same = image.fill(filler, 10, 300, kRed);
    EXPECT_EQ(g_allocations - before, 0);
    EXPECT_EQ(filler.scratch_capacity(), capacity);
    EXPECT_FALSE(same.changed());
    EXPECT_EQ(image.pixels, painted.pixels);
}

}  // namespace
