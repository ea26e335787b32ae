// The start-up check of the book's 147 pictures, over the built book.
#include <benchmark/benchmark.h>

#include "platform/memory_platform.h"
#include "platform/paths.h"
#include "screen/form.h"
#include "shell/asset_check.h"

static void BM_CheckAssets(benchmark::State& state) {
    cb::MemoryPlatform platform;
    cb::Form form(platform);
    form.state.AssetRoot = cb::upperCase(CB_BOOK_DIR);
    for (auto _ : state) {
        platform.clearLog();
        cb::CheckAssets(form);
    }
    state.counters["files"] = double(cb::AssetCheckList.size());
}
BENCHMARK(BM_CheckAssets)->Unit(benchmark::kMillisecond);

// Composing the whole frame in software, without any display.
static void BM_ComposeFullFrame(benchmark::State& state) {
    cb::MemoryPlatform platform;
    cb::Form form(platform);
    for (auto _ : state) benchmark::DoNotOptimize(form.window.composeAll());
}
BENCHMARK(BM_ComposeFullFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
