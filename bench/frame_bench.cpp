// Times SdlPlatform::present on SDL's dummy video driver: a whole frame, and a change of the
// canvas alone. Nothing is composed; the same frame is presented again and again.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/sdl_platform.h"

namespace {

std::unique_ptr<cb::SdlPlatform> g_platform;
cb::Image g_frame;

void presentCase(benchmark::State& state, const std::vector<cb::Rect>& changed) {
    for (auto _ : state) {
        // Touch the frame so each present copies fresh pixels, as after a real change.
        g_frame.pixels[100 * 1024 + 100] ^= 0x00010101;
        g_platform->present(g_frame, changed);
        benchmark::ClobberMemory();
    }
}

void BM_PresentWholeFrame(benchmark::State& state) {
    presentCase(state, {{0, 0, 1024, 768}});
}
void BM_PresentCanvasOnly(benchmark::State& state) {
    presentCase(state, {{30, 29, 750, 600}});
}

BENCHMARK(BM_PresentWholeFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentCanvasOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    g_platform = std::make_unique<cb::SdlPlatform>(cb::Image());
    g_frame = cb::Image(1024, 768, 0xFFFFFFFF);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            g_frame.at(x, y) = 0xFF000000u | uint32_t((x ^ y) & 0xFF) * 0x10101u;
    g_platform->present(g_frame, {});

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_platform.reset();
    return 0;
}
