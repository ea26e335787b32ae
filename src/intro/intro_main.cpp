// COLORS.EXE: the book's intro. It shows the title and the twelve colours for about three
// seconds, full screen, then ends by itself; a click or a key ends it sooner. It never holds
// up the book: without a display it ends at once, and a watchdog ends it if anything stalls.
#include <SDL.h>
#include <SDL_image.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "intro_draw.h"
#include "intro_scene.h"
#include "intro_title.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr Uint64 kFrameMs = 16;

SDL_Texture* loadTitle(SDL_Renderer* renderer) {
    if (intro::kTitlePngSize == 0) return nullptr;
    IMG_Init(IMG_INIT_PNG);
    SDL_RWops* rw = SDL_RWFromConstMem(intro::kTitlePng, static_cast<int>(intro::kTitlePngSize));
    return rw != nullptr ? IMG_LoadTexture_RW(renderer, rw, 1) : nullptr;
}

SDL_Renderer* makeRenderer(SDL_Window* window) {
    SDL_Renderer* r =
        SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    return r != nullptr ? r : SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

bool endRequested() {
    SDL_Event e;
    bool end = false;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
            case SDL_KEYDOWN:
            case SDL_MOUSEBUTTONDOWN:
            case SDL_FINGERDOWN:
                end = true;
                break;
            default:
                break;
        }
    }
    return end;
}

void play(SDL_Renderer* renderer, Clock::time_point launched) {
    SDL_RenderSetLogicalSize(renderer, intro::kWidth, intro::kHeight);
    SDL_Texture* title = loadTitle(renderer);
    {
        intro::Painter painter(renderer, title);
        // The scene's clock starts with the first frame; the end is fixed from launch, so
        // the time spent starting up is not added to the book's wait.
        const auto deadline = launched + std::chrono::duration<double>(intro::kDuration);
        const Uint64 start = SDL_GetTicks64();
        for (;;) {
            const Uint64 frameStart = SDL_GetTicks64();
            if (Clock::now() >= deadline || endRequested()) break;
            painter.frame(static_cast<double>(frameStart - start) / 1000.0);
            SDL_RenderPresent(renderer);
            // Vsync may or may not hold the frame; the delay paces it either way.
            const Uint64 spent = SDL_GetTicks64() - frameStart;
            SDL_Delay(static_cast<Uint32>(spent < kFrameMs ? kFrameMs - spent : 1));
        }
    }
    if (title != nullptr) SDL_DestroyTexture(title);
}

}  // namespace

int main(int, char**) {
    const auto launched = Clock::now();
    // Last resort: whatever stalls (a display server that stops answering, a driver), the
    // intro is gone shortly after its three seconds.
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(5000));
        std::_Exit(0);
    }).detach();

    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 0;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_Window* window =
        SDL_CreateWindow("Colouring Book", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         intro::kWidth, intro::kHeight, SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (window != nullptr) {
        SDL_ShowCursor(SDL_DISABLE);
        if (SDL_Renderer* renderer = makeRenderer(window)) {
            play(renderer, launched);
            SDL_DestroyRenderer(renderer);
        }
        SDL_DestroyWindow(window);
    }
    IMG_Quit();
    SDL_Quit();
    return 0;
}
