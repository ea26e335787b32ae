#include "platform/wayland_shortcuts.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <wayland-client.h>

#include <cstring>
#include <vector>

#include "keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h"

namespace cb {

// Our objects live on SDL's connection but on an event queue of their own: SDL reads and
// dispatches its default queue as it always does and never runs our code, and we never run
// its handlers.
struct WaylandConnection {
    wl_display* display = nullptr;
    wl_surface* surface = nullptr;
    wl_event_queue* queue = nullptr;
    wl_registry* registry = nullptr;
    zwp_keyboard_shortcuts_inhibit_manager_v1* manager = nullptr;
    std::vector<wl_seat*> seats;
    std::vector<zwp_keyboard_shortcuts_inhibitor_v1*> inhibitors;

    ~WaylandConnection() {
        for (auto* inhibitor : inhibitors) zwp_keyboard_shortcuts_inhibitor_v1_destroy(inhibitor);
        for (wl_seat* seat : seats) wl_seat_destroy(seat);
        if (manager) zwp_keyboard_shortcuts_inhibit_manager_v1_destroy(manager);
        if (registry) wl_registry_destroy(registry);
        if (display) wl_display_flush(display);
        if (queue) wl_event_queue_destroy(queue);
    }
};

namespace {

// The compositor lists what it offers: the protocol's manager and every seat (a seat is one
// keyboard-and-pointer user; nearly every desktop has exactly one).
void announceGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                    uint32_t) {
    auto& c = *static_cast<WaylandConnection*>(data);
    if (std::strcmp(interface, zwp_keyboard_shortcuts_inhibit_manager_v1_interface.name) == 0) {
        if (!c.manager)
            c.manager = static_cast<zwp_keyboard_shortcuts_inhibit_manager_v1*>(wl_registry_bind(
                registry, name, &zwp_keyboard_shortcuts_inhibit_manager_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        // The first version is enough to name the seat; its events have no handler of ours and
        // are dropped when our queue is dispatched.
        c.seats.push_back(
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1)));
    }
}

// A seat that goes away takes its request with it on the compositor's side.
void forgetGlobal(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {announceGlobal, forgetGlobal};

}  // namespace

WaylandShortcuts::WaylandShortcuts(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND)
        return;
    auto c = std::make_unique<WaylandConnection>();
    c->display = info.info.wl.display;
    c->surface = info.info.wl.surface;
    c->queue = wl_display_create_queue(c->display);
    if (!c->queue) return;
    // The registry is made through a wrapper of the display that sends new objects to our
    // queue, so that no event of ours can reach SDL's queue before we have claimed it.
    auto* display = static_cast<wl_display*>(wl_proxy_create_wrapper(c->display));
    if (!display) return;
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(display), c->queue);
    c->registry = wl_display_get_registry(display);
    wl_proxy_wrapper_destroy(display);
    if (!c->registry) return;
    wl_registry_add_listener(c->registry, &kRegistryListener, c.get());
    if (wl_display_roundtrip_queue(c->display, c->queue) < 0) return;
    if (!c->manager || c->seats.empty()) return;
    connection_ = std::move(c);
}

WaylandShortcuts::~WaylandShortcuts() = default;

void WaylandShortcuts::hold() {
    if (!connection_ || !connection_->inhibitors.empty()) return;
    // One request for the surface on each seat; a second one for the same pair would be a
    // protocol error that ends the connection, so SDL's keyboard grab must stay off meanwhile.
    for (wl_seat* seat : connection_->seats)
        connection_->inhibitors.push_back(
            zwp_keyboard_shortcuts_inhibit_manager_v1_inhibit_shortcuts(
                connection_->manager, connection_->surface, seat));
    // Sent at once rather than with SDL's next frame, so that no key slips through meanwhile.
    wl_display_flush(connection_->display);
}

void WaylandShortcuts::release() {
    if (!connection_ || connection_->inhibitors.empty()) return;
    for (auto* inhibitor : connection_->inhibitors)
        zwp_keyboard_shortcuts_inhibitor_v1_destroy(inhibitor);
    connection_->inhibitors.clear();
    wl_display_flush(connection_->display);
}

void WaylandShortcuts::discardReplies() {
    if (connection_) wl_display_dispatch_queue_pending(connection_->display, connection_->queue);
}

}  // namespace cb
