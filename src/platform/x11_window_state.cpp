#include "platform/x11_window_state.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace cb {
namespace {

// What SDL says of the window on X11; false when it is on another driver.
bool x11Info(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

// The X window behind the SDL window now: SDL makes it anew when a renderer needs another
// kind of window than the one created first.
Window xWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    return x11Info(window, info) ? info.info.x11.window : None;
}

}  // namespace

X11WindowState::X11WindowState(SDL_Window* window) : window_(window) {
    SDL_SysWMinfo info;
    if (!x11Info(window, info)) return;
    display_ = info.info.x11.display;
    wmState_ = XInternAtom(display_, "WM_STATE", False);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool X11WindowState::update(const SDL_Event& event) {
    if (!display_ || event.type != SDL_SYSWMEVENT || !event.syswm.msg ||
        event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return false;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type != PropertyNotify || x.xproperty.atom != wmState_) return false;
    const Window ours = xWindowOf(window_);
    if (ours == None || x.xproperty.window != ours) return false;
    // The property is read as it is now, which may already be a later change than the one
    // notified: the window iconified and brought back before we looked shows as not iconified.
    iconic_ = readIconic(ours);
    return true;
}

void X11WindowState::grabKeyboard() const {
    if (!display_) return;
    const Window ours = xWindowOf(window_);
    if (ours != None)
        XGrabKeyboard(display_, ours, True, GrabModeAsync, GrabModeAsync, CurrentTime);
}

// WM_STATE holds the state first (ICCCM 4.1.3.1); a window without it is not managed, and so
// not iconified either.
bool X11WindowState::readIconic(unsigned long window) const {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    bool iconic = false;
    if (XGetWindowProperty(display_, window, wmState_, 0, 1, False, wmState_, &type, &format,
                           &items, &after, &data) == Success &&
        type == wmState_ && format == 32 && items >= 1 && data) {
        // Format 32 comes back as longs, whatever their size.
        iconic = reinterpret_cast<const long*>(data)[0] == IconicState;
    }
    if (data) XFree(data);
    return iconic;
}

}  // namespace cb
