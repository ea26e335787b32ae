// The wipe as the child sees it, on the SDL platform with the dummy video driver: for each of
// the eight patterns, how long it runs, how many frames it presents, the longest gap between
// two presents, and the CPU it uses (the pacing sleeps between frames). Run:
// build/bench/wipe_bench
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "canvas/wipe.h"
#include "platform/paths.h"
#include "platform/sdl_platform.h"
#include "shell/program.h"

namespace {

using Clock = std::chrono::steady_clock;

// The real platform, with the time of every present noted.
class TimedPlatform : public cb::SdlPlatform {
  public:
    using SdlPlatform::SdlPlatform;
    std::vector<Clock::time_point> presents;
    void present(const cb::Image& frame, const std::vector<cb::Rect>& changed) override {
        SdlPlatform::present(frame, changed);
        presents.push_back(Clock::now());
    }
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TimedPlatform platform(cb::Image(32, 32));
    cb::ColouringBook book(platform);
    book.form.state.AssetRoot = cb::upperCase(CB_BOOK_DIR);
    book.form.window.render();
    std::printf("pattern  sweeps  seconds  s/sweep  frames  longest gap ms  CPU %%\n");
    for (int pattern = 1; pattern <= 8; ++pattern) {
        const int sweeps = pattern <= 4 ? 1 : 2;
        platform.presents.clear();
        const double cpu0 = cpuSeconds();
        const auto t0 = Clock::now();
        cb::RunWipePattern(book.form, pattern);
        const auto t1 = Clock::now();
        const double seconds = std::chrono::duration<double>(t1 - t0).count();
        const double cpu = cpuSeconds() - cpu0;
        double gap = 0;
        for (size_t i = 1; i < platform.presents.size(); ++i)
            gap = std::max(gap, std::chrono::duration<double, std::milli>(platform.presents[i] -
                                                                          platform.presents[i - 1])
                                    .count());
        std::printf("%7d  %6d  %7.3f  %7.3f  %6zu  %14.1f  %5.1f\n", pattern, sweeps, seconds,
                    seconds / sweeps, platform.presents.size(), gap, 100 * cpu / seconds);
    }
    return 0;
}
