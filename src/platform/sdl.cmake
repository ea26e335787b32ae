# The product's platform over SDL2, SDL2_image and SDL2_mixer, and CUPS for the printer.
add_library(cb_platform_sdl STATIC
  sdl_platform.cpp
  sdl_events.cpp
  sdl_keys.cpp
  sdl_sound.cpp
  midi_synth.cpp
  sdl_process.cpp
  sdl_print.cpp
  frame_upload.cpp)
target_link_libraries(cb_platform_sdl PUBLIC cb_platform)

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
