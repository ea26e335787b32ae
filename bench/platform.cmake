cb_add_bench(frame_bench ${CMAKE_CURRENT_SOURCE_DIR}/frame_bench.cpp LIBS cb_platform_sdl)
