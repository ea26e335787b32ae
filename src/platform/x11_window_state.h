// Whether the window manager has iconified our window, as the WM_STATE property says, which
// every X window manager keeps on the windows it manages.
//
// SDL learns of a minimise only from _NET_WM_STATE_HIDDEN, which some window managers never set
// (matchbox, the one a kiosk often runs, is one): there SDL sends neither MINIMIZED nor
// RESTORED, and the window's focus events depend on how the window manager hands the keyboard
// around. WM_STATE is what tells, on every window manager, when the window went away and when it
// came back.
#pragma once

#include <SDL.h>

struct _XDisplay;

namespace cb {

class X11WindowState {
  public:
    // Watches the window when it is on SDL's X11 driver; otherwise available() is false and
    // nothing ever changes. Asks SDL for its raw X events, which arrive as SDL_SYSWMEVENT. The
    // window starts out not iconified: it is created hidden, and WM_STATE comes with its first
    // showing.
    explicit X11WindowState(SDL_Window* window);

    bool available() const { return display_ != nullptr; }
    // Looks at one of SDL's events; true when the window manager changed the window's state,
    // which iconic() then tells as it stands now.
    bool update(const SDL_Event& event);
    bool iconic() const { return iconic_; }
    // Grabs the keyboard for the window again. The X server lets go of a grab whenever the
    // window stops being viewable, and SDL grabs again only when it maps the window itself, or
    // the pointer enters it, while it believes the window has the focus. A window manager that
    // iconifies by unmapping the window's frame, or frames it anew for full screen, hands the
    // focus back up to a second after the window shows, and the keyboard would be free until
    // then. Fails harmlessly while the window is not viewable.
    void grabKeyboard() const;

  private:
    bool readIconic(unsigned long xWindow) const;

    SDL_Window* window_;
    _XDisplay* display_ = nullptr;
    unsigned long wmState_ = 0;  // the atom WM_STATE
    bool iconic_ = false;
};

}  // namespace cb
