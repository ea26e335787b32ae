// What a child's pointer costs: a palette hover (three pictures read from disk), a palette
// click (twelve), and one pencil segment, over the built book.
#include <benchmark/benchmark.h>

#include "canvas/canvas_tools.h"
#include "palette/palette.h"
#include "platform/memory_platform.h"
#include "platform/paths.h"
#include "screen/form.h"

namespace {

struct Book {
    cb::MemoryPlatform platform;
    cb::Form form{platform};
    Book() { form.state.AssetRoot = cb::upperCase(CB_BOOK_DIR); }
};

void BM_PaletteHover(benchmark::State& state) {
    Book b;
    for (auto _ : state) {
        b.platform.clearLog();
        cb::PaletteMouseMove(b.form, 6);
    }
}
BENCHMARK(BM_PaletteHover)->Unit(benchmark::kMillisecond);

void BM_PaletteClick(benchmark::State& state) {
    Book b;
    for (auto _ : state) {
        b.platform.clearLog();
        cb::PaletteClick(b.form, 6);
    }
}
BENCHMARK(BM_PaletteClick)->Unit(benchmark::kMillisecond);

void BM_PencilSegment(benchmark::State& state) {
    Book b;
    int i = 0;
    for (auto _ : state) {
        const int y = 100 + (i++ % 400);
        cb::DrawPencilLine(b.form, 100, y, 140, y + 30, cb::rgb(255, 0, 0));
    }
}
BENCHMARK(BM_PencilSegment)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
