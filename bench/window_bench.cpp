// A frame as the child sees it: compose in software, upload what changed, present; on SDL's
// dummy video driver, so no display is needed.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "dummy_platform.h"
#include "platform/sdl_platform.h"
#include "screen/form.h"

namespace {

cb::SdlPlatform& platform() {
    return dummyPlatform();
}

void BM_FullFrame(benchmark::State& state) {
    cb::Form form(platform());
    for (auto _ : state) {
        form.window.invalidate({0, 0, cb::Window::kWidth, cb::Window::kHeight});
        form.window.render();
    }
}
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMicrosecond);

void BM_CanvasOnlyFrame(benchmark::State& state) {
    cb::Form form(platform());
    form.window.render();
    for (auto _ : state) {
        form.canvasChanged(0, cb::Form::kCanvasHeight - 1);
        form.window.render();
    }
}
BENCHMARK(BM_CanvasOnlyFrame)->Unit(benchmark::kMicrosecond);

// A fill's typical change: a band of rows of the canvas.
void BM_CanvasBandFrame(benchmark::State& state) {
    cb::Form form(platform());
    form.window.render();
    for (auto _ : state) {
        form.canvasChanged(200, 299);
        form.window.render();
    }
}
BENCHMARK(BM_CanvasBandFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
