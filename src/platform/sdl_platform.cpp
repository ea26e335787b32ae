#include "platform/sdl_platform.h"

#include <SDL.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/errors.h"
#include "platform/frame_upload.h"
#include "platform/midi_synth.h"
#include "platform/wayland_shortcuts.h"
#include "platform/x11_window_state.h"

namespace cb {
namespace {

[[noreturn]] void fail(const std::string& what) {
    throw PlatformError(what + ": " + SDL_GetError());
}

// A surface over an image's pixels, without copying them; the image must outlive it.
SDL_Surface* surfaceOver(const Image& image) {
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(image.pixels.data()),
                                              image.width, image.height, 32, image.width * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

// Passed on as SIGTERM, which SDL's own handler turns into the request to end (raise is safe
// in a signal handler).
void hangUpEndsTheProgram(int) {
    raise(SIGTERM);
}

Uint32 pixelFormatOfDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 8:
            return SDL_PIXELFORMAT_INDEX8;
        case 15:
            return SDL_PIXELFORMAT_RGB555;
        case 16:
            return SDL_PIXELFORMAT_RGB565;
        case 24:
            return SDL_PIXELFORMAT_RGB24;
        default:
            return SDL_PIXELFORMAT_RGB888;  // 32 bits a pixel, as every desktop runs
    }
}

}  // namespace

SdlPlatform::SdlPlatform(const Image& icon) {
    // The kiosk's rules, set before the window exists: the keyboard stays with us, Alt+Tab is
    // not handed to the desktop, closing the window from outside does not end the run (only
    // SIGTERM and SIGINT do), and losing focus does not minimize the full-screen window.
    SDL_SetHint(SDL_HINT_GRAB_KEYBOARD, "1");
    SDL_SetHint(SDL_HINT_ALLOW_ALT_TAB_WHILE_GRABBED, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The click that brings the window forward is a click on the page, not a lost one.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Smooth scaling when the display is not 1024 x 768; at that size it copies pixel for pixel.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");

    // On a Wayland desktop the window must be the compositor's own: only a Wayland window can
    // ask the compositor for its shortcuts, an X window under XWayland cannot. SDL moves on to
    // X11 by itself when it cannot reach the compositor; when its Wayland driver connects but
    // fails to start, X11 is tried once more on its own. A driver named in SDL_VIDEODRIVER
    // still wins over this choice.
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const bool waylandDesktop = waylandDisplay && *waylandDisplay;
    if (waylandDesktop) SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland,x11");
    int opened = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    if (opened != 0 && waylandDesktop) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        opened = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    }
    if (opened != 0) fail("cannot open the display");
    sdlOpen_ = true;
    // SDL turns SIGTERM and SIGINT into a request to end; a closed terminal (SIGHUP) asks the
    // same, and must not kill the program with the display mode still changed.
    signal(SIGHUP, hangUpEndsTheProgram);
    compositorKeepsMode_ = std::strcmp(SDL_GetCurrentVideoDriver(), "wayland") == 0;
    try {
        window_ = SDL_CreateWindow("Colouring Book", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   kWidth, kHeight, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
        if (!window_) fail("cannot create the window");
        shortcuts_ = std::make_unique<WaylandShortcuts>(window_);
        x11State_ = std::make_unique<X11WindowState>(window_);
        if (!icon.pixels.empty()) {
            if (SDL_Surface* surface = surfaceOver(icon)) {
                SDL_SetWindowIcon(window_, surface);
                SDL_FreeSurface(surface);
            }
        }
        // The first renderer that works, accelerated or not: we present only on change.
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) fail("cannot create the renderer");
        if (SDL_RenderSetLogicalSize(renderer_, kWidth, kHeight) != 0)
            fail("cannot set the logical size");
        recreateTexture();
        // Keys arrive as key events only; no text input, no input method window.
        SDL_StopTextInput();
    } catch (...) {
        shutDown();
        throw;
    }
    openMixer();
}

SdlPlatform::~SdlPlatform() {
    shutDown();
}

void SdlPlatform::shutDown() {
    if (!sdlOpen_) return;
    if (window_) {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowKeyboardGrab(window_, SDL_FALSE);
    }
    // Our requests to the compositor go before the window and SDL's connection do.
    shortcuts_.reset();
    x11State_.reset();
    closeMixer();
    SDL_SetCursor(SDL_GetDefaultCursor());
    for (auto& [key, cached] : cursors_)
        if (cached.cursor) SDL_FreeCursor(cached.cursor);
    cursors_.clear();
    currentCursor_ = nullptr;
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    SDL_Quit();
    sdlOpen_ = false;
}

void SdlPlatform::exitNow() {
    // The end has begun, and another request to end has nothing to add: a shutdown sends
    // SIGTERM and SIGHUP together, an impatient parent sends a second one. Once SDL_Quit has
    // given SIGTERM and SIGINT back to their default action, such a signal would end the
    // program with its own status instead of 0, so from here on they are ignored.
    signal(SIGTERM, SIG_IGN);
    signal(SIGINT, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    shutDown();
    _exit(0);
}

float SdlPlatform::timer() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return static_cast<float>(seconds + now.tv_nsec / 1e9);
}

double SdlPlatform::steadySeconds() {
    return static_cast<double>(SDL_GetPerformanceCounter()) /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

// The texture, made anew and empty: the next present fills all of it.
void SdlPlatform::recreateTexture() {
    if (texture_) SDL_DestroyTexture(texture_);
    // Pixels as the frame holds them, 0xAARRGGBB, with the alpha byte ignored: the frame is
    // opaque on screen, and a texture of the window's own format copies without conversion.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 kWidth, kHeight);
    if (!texture_) fail("cannot create the frame texture");
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    uploaded_ = false;
}

void SdlPlatform::render() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

void SdlPlatform::present(const Image& frame, const std::vector<Rect>& changed) {
    const auto regions =
        uploadRegions(changed, frame.width, frame.height, kWidth, kHeight, !uploaded_);
    // The texture keeps what was uploaded before, so only the changed rows travel.
    for (const Rect& r : regions) {
        const uint32_t* source = frame.pixels.data() + size_t(r.y) * frame.width + r.x;
        const SDL_Rect area{r.x, r.y, r.w, r.h};
        if (SDL_UpdateTexture(texture_, &area, source, frame.width * 4) != 0)
            fail("cannot upload the frame");
    }
    uploaded_ = true;
    render();
}

Image SdlPlatform::capture() {
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) fail("no output size");
    Image image(width, height, 0);
    // Draw the frame again without presenting it, so the read does not depend on what the
    // driver keeps of a presented buffer.
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    // Read the whole output, bars included: clear the logical size for the read.
    SDL_RenderSetLogicalSize(renderer_, 0, 0);
    SDL_RenderSetViewport(renderer_, nullptr);
    const int result = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                            image.pixels.data(), width * 4);
    SDL_RenderSetLogicalSize(renderer_, kWidth, kHeight);
    if (result != 0) fail("cannot read the window back");
    return image;
}

void SdlPlatform::setWindowVisible(bool visible) {
    if (visible) {
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
        render();
    } else {
        SDL_HideWindow(window_);
    }
    updateKeyboardHold();
}

void SdlPlatform::minimizeWindow() {
    // SDL gives the desktop its mode back as it minimises a full-screen window; the window
    // takes the book's again when it is back.
    minimisedFromFullScreen_ = fullScreenTaken_;
    SDL_MinimizeWindow(window_);
}

void SdlPlatform::returnFromMinimised() {
    if (!minimisedFromFullScreen_) return;
    minimisedFromFullScreen_ = false;
    // Out of full screen and in again: SDL sets the mode only on that change.
    SDL_SetWindowFullscreen(window_, 0);
    takeFullScreen();
    render();
}

void SdlPlatform::setCursor(const Cursor& cursor) {
    SDL_Cursor* wanted = SDL_GetDefaultCursor();
    if (cursor.image && !cursor.image->pixels.empty()) {
        const auto key = std::make_tuple(cursor.image.get(), cursor.hotX, cursor.hotY);
        auto found = cursors_.find(key);
        if (found == cursors_.end()) {
            forgetUnheldCursors();
            CachedCursor made{cursor.image, nullptr};
            if (SDL_Surface* surface = surfaceOver(*cursor.image)) {
                made.cursor = SDL_CreateColorCursor(surface, cursor.hotX, cursor.hotY);
                SDL_FreeSurface(surface);
            }
            found = cursors_.emplace(key, std::move(made)).first;
        }
        // A cursor the display cannot make leaves the one showing.
        if (!found->second.cursor) return;
        wanted = found->second.cursor;
    }
    if (wanted == currentCursor_) return;
    SDL_SetCursor(wanted);
    currentCursor_ = wanted;
}

// A cursor is cached under its picture's address, which only a holder of the picture can ask
// for again. The tools read their canvas cursor from its file anew on every choice, so each
// choice brings a new picture: once the cache holds the last reference to one, its entry can
// never be found again and goes, with its cursor (the one showing excepted). Without this, a
// child switching tools for an hour grew the cache, and the display's cursors, by one for
// every click.
void SdlPlatform::forgetUnheldCursors() {
    std::erase_if(cursors_, [this](const auto& entry) {
        const CachedCursor& cached = entry.second;
        const bool showing = cached.cursor && cached.cursor == currentCursor_;
        if (cached.picture.use_count() > 1 || showing) return false;
        if (cached.cursor) SDL_FreeCursor(cached.cursor);
        return true;
    });
}

// The filter itself always works on the keys the window receives; holding the desktop's
// shortcuts is what keeps the rest from the desktop, and where the desktop offers no way to hold
// them the filter is still installed.
uint32_t SdlPlatform::installKeyboardFilter(KeyboardFilter filter) {
    filter_ = filter;
    filterInstalled_ = true;
    updateKeyboardHold();
    return 1;
}

void SdlPlatform::removeKeyboardFilter(uint32_t) {
    filter_ = nullptr;
    filterInstalled_ = false;
    updateKeyboardHold();
}

bool SdlPlatform::keyboardHoldWanted() const {
    // A hidden window has no place on the desktop for the compositor to grant the request to
    // (GNOME ignores it), so it is made when the window shows.
    const Uint32 flags = SDL_GetWindowFlags(window_);
    const bool iconic = x11State_ && x11State_->iconic();
    return filterInstalled_ && !(flags & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) && !iconic;
}

void SdlPlatform::updateKeyboardHold() {
    const bool hold = keyboardHoldWanted();
    if (shortcuts_ && shortcuts_->available()) {
        shortcuts_->discardReplies();
        // Wayland: the compositor honours the request only while the window has the keyboard,
        // so it stands for as long as the window shows, minimised or not (a Wayland window is
        // never told it is minimised). SDL's own grab stays off: it would make a second request
        // for the same surface, which the compositor answers by disconnecting.
        if (hold)
            shortcuts_->hold();
        else
            shortcuts_->release();
        return;
    }
    // X11: SDL grabs the keyboard whenever the window gains it, and the X server drops the
    // grab whenever the window stops being viewable. Some window managers minimise a window
    // without unmapping it, so the grab is let go explicitly while the window is minimised or
    // iconified (a parent types in the browser a link opened) and asked for again when the
    // window is back; holdKeyboardAgain takes it again as the window shows.
    SDL_SetWindowKeyboardGrab(window_, hold ? SDL_TRUE : SDL_FALSE);
}

void SdlPlatform::holdKeyboardAgain() {
    if (x11State_ && keyboardHoldWanted()) x11State_->grabKeyboard();
}

void SdlPlatform::setDisplayMode(int width, int height, int bitsPerPixel) {
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    SDL_DisplayMode wanted{pixelFormatOfDepth(bitsPerPixel), width, height, 0, nullptr};
    SDL_DisplayMode closest{};
    if (!SDL_GetClosestDisplayMode(display, &wanted, &closest))
        fail("the display has no mode near " + std::to_string(width) + "x" +
             std::to_string(height));
    if (!compositorKeepsMode_ && SDL_SetWindowDisplayMode(window_, &closest) != 0)
        fail("the display refuses the mode");
    takeFullScreen();
    fullScreenTaken_ = true;
    SDL_RaiseWindow(window_);
    render();
}

void SdlPlatform::takeFullScreen() {
    // A Wayland compositor offers the mode only as an emulation, which stretches the window's
    // picture over the whole output, out of shape on a wide one. There the window takes the
    // desktop's own size instead, and the logical size letterboxes the layout in it. Elsewhere
    // the mode granted may still differ from the one asked for (a virtual screen keeps its
    // size); the logical size letterboxes the layout on whatever we get.
    const Uint32 mode =
        compositorKeepsMode_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_FULLSCREEN;
    if (SDL_SetWindowFullscreen(window_, mode) != 0) fail("cannot go full screen");
}

void SdlPlatform::restoreDisplayMode() {
    if (SDL_SetWindowFullscreen(window_, 0) != 0) fail("cannot leave full screen");
    fullScreenTaken_ = false;
}

}  // namespace cb
