// What a pointer movement over the window background costs: the handler alone (18 pictures
// read from disk, as the book has no picture cache), the 18 decodes alone, and one whole round
// on the SDL platform with the dummy video driver (dispatch, loads, compose, upload,
// present). Also counts handler runs for a burst of motion, on both screens: the platform
// delivers a burst as one movement. Run: build/bench/hover_bench
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "dummy_platform.h"
#include "gallery/gallery.h"
#include "platform/paths.h"
#include "platform/sdl_platform.h"
#include "sdl_input.h"
#include "shell/hover.h"
#include "shell/program.h"

namespace {

cb::SdlPlatform& platform() {
    return dummyPlatform();
}

// The book as the child finds it after start-up, without the intro and the waits.
std::unique_ptr<cb::ColouringBook> openBook() {
    auto book = std::make_unique<cb::ColouringBook>(platform());
    cb::ProgramState& s = book->form.state;
    s.AssetRoot = cb::upperCase(CB_BOOK_DIR);
    s.AppDir = std::string(CB_BOOK_DIR) + "/";
    s.SoundFlag = s.SoundEnabled = s.MusicOff = 1;
    s.CurrentPicture = 1;
    book->form.window.render();
    return book;
}

void BM_FormMouseMoveHandler(benchmark::State& state) {
    auto book = openBook();
    for (auto _ : state) cb::Form_MouseMove(book->form);
}
BENCHMARK(BM_FormMouseMoveHandler)->Unit(benchmark::kMicrosecond);

void BM_EighteenDecodes(benchmark::State& state) {
    auto book = openBook();
    std::vector<std::string> files = {"\\PICTURE\\MOREIMAGES1.JPG"};
    for (int p = 1; p <= 12; ++p)
        files.push_back("\\PICTURE\\BOJE1_" + std::string(p < 10 ? "0" : "") + std::to_string(p) +
                        ".JPG");
    for (const char* f : {"\\PICTURE\\GUMICA1.JPG", "\\PICTURE\\PAPIR1.JPG", "\\PICTURE\\BACK1.JPG",
                          "\\PICTURE\\ZVUCNIK1.JPG", "\\PICTURE\\MUSICOFF2.JPG"})
        files.push_back(f);
    for (auto _ : state)
        for (const std::string& f : files)
            benchmark::DoNotOptimize(platform().loadPicture(book->form.asset(f)));
}
BENCHMARK(BM_EighteenDecodes)->Unit(benchmark::kMicrosecond);

void pushMotion(int x, int y) {
    cbtest::pushMotion(platform().window(), x, y);
}

// One movement over the background, from its arrival to the presented frame. The palette
// button under the previous point was lit, so every round changes the frame.
void BM_PointerRound(benchmark::State& state) {
    auto book = openBook();
    int i = 0;
    for (auto _ : state) {
        pushMotion(1010, 20 + (i++ & 7));
        book->form.window.doEvents(0);
    }
}
BENCHMARK(BM_PointerRound)->Unit(benchmark::kMicrosecond);

// A burst of motion between two frames runs the handler once, on either screen.
void BM_MotionBurst(benchmark::State& state) {
    auto book = openBook();
    const bool gallery = state.range(0) == 1;
    if (gallery) cb::MoreImages_Click(book->form);
    int runs = 0, rounds = 0;
    book->form.window.MouseMove = [&](const cb::MouseArgs&) {
        ++runs;
        cb::Form_MouseMove(book->form);
    };
    for (auto _ : state) {
        for (int k = 0; k < 50; ++k) pushMotion(1010, 20 + (k & 7));
        book->form.window.doEvents(0);
        ++rounds;
    }
    state.counters["handler_runs_per_frame"] = double(runs) / rounds;
    state.SetLabel(gallery ? "gallery" : "main screen");
}
BENCHMARK(BM_MotionBurst)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
