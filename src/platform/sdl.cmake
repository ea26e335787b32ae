# The product's platform over SDL2, SDL2_image and SDL2_mixer.
add_library(cb_platform_sdl STATIC
  sdl_platform.cpp
  sdl_events.cpp
  sdl_keys.cpp
  sdl_sound.cpp
  sdl_process.cpp
  sdl_print.cpp
  frame_upload.cpp)
target_link_libraries(cb_platform_sdl PUBLIC cb_platform)
