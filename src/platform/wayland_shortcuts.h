// Asking a Wayland compositor to hand every key to our window, its own shortcuts (Alt+Tab,
// Super, Alt+F4) included: the keyboard-shortcuts-inhibit protocol.
//
// SDL speaks the same protocol for a keyboard grab, but only while its window has the keyboard:
// it makes the request when the keyboard enters the window and withdraws it when the keyboard
// leaves. A keyboard that is plugged in, reconnected or switched to while the book is in front
// enters the window together with its first keys, and the compositor acts on those keys before
// the request reaches it. So we make the request ourselves for the window's surface, for as long
// as the window shows: the compositor honours it whenever that surface has the keyboard and
// ignores it otherwise (a minimised book or another window in front leaves the desktop's
// shortcuts working).
#pragma once

#include <memory>

struct SDL_Window;

namespace cb {

struct WaylandConnection;

class WaylandShortcuts {
  public:
    // Prepares the request for the window when it is on SDL's Wayland driver and the
    // compositor offers the protocol; otherwise available() is false and the rest does nothing.
    explicit WaylandShortcuts(SDL_Window* window);
    ~WaylandShortcuts();
    WaylandShortcuts(const WaylandShortcuts&) = delete;
    WaylandShortcuts& operator=(const WaylandShortcuts&) = delete;

    bool available() const { return connection_ != nullptr; }
    // Every shortcut goes to the window while it has the keyboard, until release().
    void hold();
    void release();
    // Takes what the compositor said about the request (it only reports whether the request is
    // honoured at the moment) off our event queue, so that it does not pile up.
    void discardReplies();

  private:
    std::unique_ptr<WaylandConnection> connection_;
};

}  // namespace cb
