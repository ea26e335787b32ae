// Times the area fill on a full page against memset of the same canvas buffer, and prints each
// case as a multiple of that memset after the run.
//
// No case restores the canvas between fills: each one alternates between two colours, which
// paints exactly the same area every time because the area's border is outline black only.
// main() checks that before timing anything.

#include "canvas/flood_fill.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 750;
constexpr int kHeight = 600;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kOutline = 0xFF000000;
constexpr std::uint32_t kRed = 0xFFE02020;

using Canvas = std::vector<std::uint32_t>;

Canvas blank() {
    return Canvas(kWidth * kHeight, kWhite);
}

void ring(Canvas& c, int cx, int cy, double radius) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d >= radius - 4 && d < radius) c[y * kWidth + x] = kOutline;
        }
}

void frame(Canvas& c, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (x < x0 + 4 || x > x1 - 4 || y < y0 + 4 || y > y1 - 4) c[y * kWidth + x] = kOutline;
}

// The small box is the one whose inside (45 x 45 = 2,025 pixels) is the small-area case.
constexpr int kBoxLeft = 660;
constexpr int kBoxTop = 380;

// Outlines 4 pixels wide, the way the book's pages are drawn: circles, boxes, overlaps.
Canvas drawing() {
    Canvas c = blank();
    ring(c, 190, 170, 120);
    ring(c, 280, 250, 90);
    frame(c, 420, 60, 710, 300);
    ring(c, 560, 180, 80);
    frame(c, 60, 380, 330, 570);
    ring(c, 195, 475, 60);
    ring(c, 500, 460, 110);
    frame(c, kBoxLeft, kBoxTop, kBoxLeft + 52, kBoxTop + 52);
    return c;
}

// One-pixel walls in every odd column, hanging from the top and standing on the bottom in
// turn: the area is one serpentine path a pixel wide, the worst shape for a span fill.
Canvas serpentine() {
    Canvas c = blank();
    for (int x = 1, wall = 0; x < kWidth; x += 2, ++wall) {
        const int top = wall % 2 == 0 ? 0 : 1;
        for (int y = top; y < top + kHeight - 1; ++y) c[y * kWidth + x] = kOutline;
    }
    return c;
}

struct Case {
    const char* name;
    Canvas canvas;
    int x;
    int y;
    std::uint32_t first;  // the colour of the area before the first fill
    std::uint32_t other;  // the colour the fills alternate with
};

std::vector<Case> make_cases() {
    std::vector<Case> cases;
    cases.push_back({"blank page", blank(), 0, 0, kWhite, kRed});
    cases.push_back({"white around a drawing", drawing(), 0, 0, kWhite, kRed});
    cases.push_back({"serpentine", serpentine(), 0, 0, kWhite, kRed});
    cases.push_back({"small area", drawing(), kBoxLeft + 20, kBoxTop + 20, kWhite, kRed});
    cases.push_back({"already that colour", drawing(), 0, 0, kWhite, kWhite});
    return cases;
}

void bm_memset(benchmark::State& state) {
    Canvas canvas = blank();
    int value = 0;
    for (auto _ : state) {
        std::memset(canvas.data(), value, canvas.size() * sizeof(std::uint32_t));
        value ^= 0xFF;
        benchmark::DoNotOptimize(canvas.data());
        benchmark::ClobberMemory();
    }
}

void bm_fill(benchmark::State& state, const Case* c) {
    Canvas canvas = c->canvas;
    cb::FloodFiller filler(kWidth, kHeight);
    std::uint32_t next = c->other;
    std::int64_t pixels = 0;
    for (auto _ : state) {
        const cb::FillResult result = filler.fill(canvas, kWidth, kHeight, c->x, c->y, next);
        next = next == c->other ? c->first : c->other;
        pixels = result.pixels_changed;
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(pixels);
}

// Both directions of the alternation must paint the same number of pixels.
std::int64_t checked_area(const Case& c) {
    Canvas canvas = c.canvas;
    cb::FloodFiller filler(kWidth, kHeight);
    const auto there = filler.fill(canvas, kWidth, kHeight, c.x, c.y, c.other).pixels_changed;
    const auto back = filler.fill(canvas, kWidth, kHeight, c.x, c.y, c.first).pixels_changed;
    if (there != back || canvas != c.canvas) {
        std::fprintf(stderr, "%s: the alternating fills do not paint the same area\n", c.name);
        std::exit(1);
    }
    return there;
}

// Passes every result on to the console and keeps the CPU time of each benchmark per iteration
// (other work on the machine inflates wall time): the median of the repetitions where there
// are several, the mean otherwise.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            Time& t = times_[run.run_name.function_name];
            if (run.run_type == Run::RT_Aggregate) {
                // An aggregate counts its repetitions as its iterations.
                if (run.aggregate_name == "median") {
                    t.median = run.cpu_accumulated_time / static_cast<double>(run.iterations);
                }
            } else {
                t.seconds += run.cpu_accumulated_time;
                t.iterations += static_cast<double>(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration, or 0 when the benchmark did not run (filtered out).
    double time(const std::string& name) const {
        const auto it = times_.find(name);
        if (it == times_.end()) return 0;
        const Time& t = it->second;
        if (t.median > 0) return t.median;
        return t.iterations > 0 ? t.seconds / t.iterations : 0;
    }

  private:
    struct Time {
        double seconds = 0;
        double iterations = 0;
        double median = 0;
    };
    std::map<std::string, Time> times_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<Case> cases = make_cases();
    std::vector<std::int64_t> areas;
    for (const Case& c : cases) areas.push_back(checked_area(c));

    // Shared machines are noisy: several short repetitions and their median.
    auto settings = [](benchmark::internal::Benchmark* b) {
        b->MinTime(0.1)->Repetitions(5)->ReportAggregatesOnly(true);
    };
    settings(benchmark::RegisterBenchmark("memset", bm_memset));
    for (const Case& c : cases) settings(benchmark::RegisterBenchmark(c.name, bm_fill, &c));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double reference = reporter.time("memset");
    if (reference == 0) return 0;
    std::printf("\nmemset of the %d x %d canvas: %.1f us\n", kWidth, kHeight, reference * 1e6);
    std::printf("%-24s %10s %12s %10s\n", "case", "pixels", "CPU (us)", "x memset");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const double t = reporter.time(cases[i].name);
        if (t == 0) continue;
        std::printf("%-24s %10lld %12.2f %10.4f\n", cases[i].name, static_cast<long long>(areas[i]),
                    t * 1e6, t / reference);
    }
    return 0;
}
