# The product's platform over SDL2, SDL2_image and SDL2_mixer, and CUPS for the printer.
add_library(cb_platform_sdl STATIC
  sdl_platform.cpp
  sdl_events.cpp
  sdl_keys.cpp
  sdl_sound.cpp
  midi_synth.cpp
  sdl_process.cpp
  sdl_print.cpp
  frame_upload.cpp
  wayland_shortcuts.cpp
  x11_window_state.cpp)
target_link_libraries(cb_platform_sdl PUBLIC cb_platform)

# On X11 the window manager's own word on whether the window is iconified (WM_STATE).
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
target_link_libraries(cb_platform_sdl PRIVATE PkgConfig::X11)

# FluidSynth renders the music. Its pkg-config file would bring GLib's flags and a POSIX level
# into every file here, and its headers need none of them.
find_path(FLUIDSYNTH_INCLUDE_DIR fluidsynth.h REQUIRED)
find_library(FLUIDSYNTH_LIBRARY fluidsynth REQUIRED)
target_include_directories(cb_platform_sdl PRIVATE ${FLUIDSYNTH_INCLUDE_DIR})
target_link_libraries(cb_platform_sdl PRIVATE ${FLUIDSYNTH_LIBRARY})

# Debian's libcups2-dev ships no pkg-config file; CMake's own FindCups finds it there.
pkg_check_modules(CUPS QUIET IMPORTED_TARGET cups)
if(CUPS_FOUND)
  target_link_libraries(cb_platform_sdl PRIVATE PkgConfig::CUPS)
else()
  find_package(Cups REQUIRED)
  target_link_libraries(cb_platform_sdl PRIVATE Cups::Cups)
endif()

# On a Wayland desktop the window asks the compositor for its shortcuts itself, on SDL's
# connection: the client side of the keyboard-shortcuts-inhibit protocol, generated from the
# description the system's wayland-protocols package ships.
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT WAYLAND_PROTOCOLS_DIR OR NOT WAYLAND_SCANNER)
  message(FATAL_ERROR "wayland-protocols and wayland-scanner are needed (scripts/install-deps)")
endif()
set(inhibit_xml
  ${WAYLAND_PROTOCOLS_DIR}/unstable/keyboard-shortcuts-inhibit/keyboard-shortcuts-inhibit-unstable-v1.xml)
set(inhibit_dir ${CMAKE_CURRENT_BINARY_DIR}/wayland)
set(inhibit_header ${inhibit_dir}/keyboard-shortcuts-inhibit-unstable-v1-client-protocol.h)
set(inhibit_code ${inhibit_dir}/keyboard-shortcuts-inhibit-unstable-v1-protocol.c)
add_custom_command(
  OUTPUT ${inhibit_header} ${inhibit_code}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${inhibit_dir}
  COMMAND ${WAYLAND_SCANNER} client-header ${inhibit_xml} ${inhibit_header}
  COMMAND ${WAYLAND_SCANNER} private-code ${inhibit_xml} ${inhibit_code}
  DEPENDS ${inhibit_xml}
  COMMENT "Generating the keyboard-shortcuts-inhibit protocol's client code")
target_sources(cb_platform_sdl PRIVATE ${inhibit_header} ${inhibit_code})
target_include_directories(cb_platform_sdl PRIVATE ${inhibit_dir})
target_link_libraries(cb_platform_sdl PRIVATE PkgConfig::WAYLAND)
