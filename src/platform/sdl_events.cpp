// Turning SDL's event queue into the program's input: coalesced motion, buttons, filtered
// keys and the request to end.
#include <SDL.h>

#include <climits>
#include <cmath>

#include "platform/sdl_keys.h"
#include "platform/sdl_platform.h"
#include "platform/x11_window_state.h"

namespace cb {
namespace {

int programButton(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return kLeftButton;
        case SDL_BUTTON_RIGHT:
            return kRightButton;
        case SDL_BUTTON_MIDDLE:
            return kMiddleButton;
        default:
            return 0;
    }
}

int programButtons(Uint32 sdlState) {
    int mask = 0;
    if (sdlState & SDL_BUTTON_LMASK) mask |= kLeftButton;
    if (sdlState & SDL_BUTTON_RMASK) mask |= kRightButton;
    if (sdlState & SDL_BUTTON_MMASK) mask |= kMiddleButton;
    return mask;
}

// Events that reach the program in their own right, and so must not overtake motion that
// came before them.
bool isDelivered(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_QUIT:
            return true;
        default:
            return false;
    }
}

// Looks at the event at the head of the queue without taking it off.
bool peekEvent(SDL_Event& event) {
    return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

bool takeEvent(SDL_Event& event) {
    return SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

}  // namespace

void SdlPlatform::waitEvents(double timeoutSeconds, InputSink& sink) {
    reapChildren();
    if (timeoutSeconds <= 0) {
        SDL_PumpEvents();
        deliverPending(sink);
        reapChildren();
        return;
    }
    const double ms = std::ceil(timeoutSeconds * 1000.0);
    const Uint64 deadline =
        SDL_GetTicks64() + (ms >= double(INT_MAX) ? Uint64(INT_MAX) : Uint64(ms));
    // Events that are not input (the window exposed, a device added) do not end the wait.
    for (;;) {
        const Uint64 now = SDL_GetTicks64();
        if (now >= deadline) break;
        // With no event to fill in, the wait leaves the event at the head of the queue.
        SDL_WaitEventTimeout(nullptr, static_cast<int>(deadline - now));
        if (deliverPending(sink)) break;
    }
    reapChildren();
}

bool SdlPlatform::pauseHoldingInput(double seconds) {
    if (seconds > 0) SDL_Delay(static_cast<Uint32>(std::lround(seconds * 1000.0)));
    // Reading the display's input into the queue keeps the window answering the desktop;
    // the events stay queued for the next wait.
    SDL_PumpEvents();
    SDL_Event quit;
    return SDL_PeepEvents(&quit, 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0;
}

bool SdlPlatform::deliverPending(InputSink& sink) {
    // The queue is read as it stands now; what arrives meanwhile waits for the next call.
    // Motion is held back until something else is delivered or the queue is empty. The
    // pending point is delivered before the next event is taken off the queue, so that a
    // handler which waits for events itself (a nested wait) still sees them in order.
    PendingMotion motion;
    bool delivered = false;
    SDL_Event event;
    while (peekEvent(event)) {
        if (motion.pending && isDelivered(event)) {
            motion.pending = false;
            delivered = true;
            sink.pointerMoved(motion.x, motion.y, motion.buttons);
            continue;
        }
        if (!takeEvent(event)) break;
        delivered |= dispatch(event, motion, sink);
    }
    if (motion.pending) {
        delivered = true;
        sink.pointerMoved(motion.x, motion.y, motion.buttons);
    }
    return delivered;
}

bool SdlPlatform::dispatch(const SDL_Event& event, PendingMotion& motion, InputSink& sink) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            // The renderer has already put the coordinates in the 1024 x 768 layout. Over the
            // bars of a letterboxed display they fall outside it and are passed on as they are.
            buttonsHeld_ = programButtons(event.motion.state);
            motion = {true, event.motion.x, event.motion.y, buttonsHeld_};
            return false;
        case SDL_MOUSEBUTTONDOWN: {
            const int button = programButton(event.button.button);
            if (!button) return false;
            buttonsHeld_ |= button;
            sink.buttonPressed(event.button.x, event.button.y, button, buttonsHeld_);
            return true;
        }
        case SDL_MOUSEBUTTONUP: {
            const int button = programButton(event.button.button);
            if (!button) return false;
            buttonsHeld_ &= ~button;
            sink.buttonReleased(event.button.x, event.button.y, button, buttonsHeld_);
            return true;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return deliverKey(event, sink);
        case SDL_QUIT:
            // SIGTERM or SIGINT; a close request from the desktop is a window event, ignored.
            sink.terminateRequested();
            return true;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_EXPOSED:
                    render();
                    holdKeyboardAgain();
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    render();
                    break;
                // The window minimised (the info panel's links do it, and so can the desktop),
                // back, shown, or given or denied the keyboard: the desktop's shortcuts are let
                // go or held again. On X11 the window manager's WM_STATE alone says when the
                // window is back (below); elsewhere these events do.
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    if (!x11State_ || !x11State_->available()) returnFromMinimised();
                    updateKeyboardHold();
                    break;
                case SDL_WINDOWEVENT_MINIMIZED:
                case SDL_WINDOWEVENT_SHOWN:
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    updateKeyboardHold();
                    break;
                default:
                    break;
            }
            return false;
        case SDL_SYSWMEVENT:
            // The window manager iconified the window or brought it back (perhaps both since
            // the last look: then it is simply back).
            if (x11State_ && x11State_->update(event)) {
                if (x11State_->iconic())
                    minimisedFromFullScreen_ = fullScreenTaken_;
                else
                    returnFromMinimised();
                updateKeyboardHold();
            }
            return false;
        case SDL_RENDER_DEVICE_RESET:
            // The device lost every texture. Ours comes back empty and the next present fills
            // it whole; no renderer on this system reports a reset, so nothing is kept for it.
            recreateTexture();
            render();
            return false;
        case SDL_RENDER_TARGETS_RESET:
            render();
            return false;
        default:
            return false;
    }
}

bool SdlPlatform::deliverKey(const SDL_Event& event, InputSink& sink) {
    const SDL_Keysym& key = event.key.keysym;
    const bool up = event.type == SDL_KEYUP;
    const uint32_t vk = virtualKeyFor(key.sym, key.scancode);
    const int modifiers = modifierMaskFor(key.mod);
    // Alt counts as held while it is down, including on its own key-down.
    const bool altHeld = (modifiers & kAltMask) != 0 || (vk == VK_MENU && !up);
    const bool passes =
        keyPassesFilter(filter_, vk, key.scancode, up, altHeld, event.key.timestamp);
    if (!passes || up) return false;
    sink.keyPressed(static_cast<int>(vk), modifiers, event.key.repeat != 0);
    return true;
}

}  // namespace cb
