cb_add_bench(startup_bench ${CMAKE_CURRENT_SOURCE_DIR}/startup_bench.cpp LIBS cb_shell)
target_compile_definitions(startup_bench PRIVATE CB_BOOK_DIR="${CB_BOOK_DIR}")
add_dependencies(startup_bench book-tree)

cb_add_bench(colouring_bench ${CMAKE_CURRENT_SOURCE_DIR}/colouring_bench.cpp LIBS cb_shell)
target_compile_definitions(colouring_bench PRIVATE CB_BOOK_DIR="${CB_BOOK_DIR}")
add_dependencies(colouring_bench book-tree)

if(TARGET cb_platform_sdl)
  cb_add_bench(window_bench ${CMAKE_CURRENT_SOURCE_DIR}/window_bench.cpp LIBS cb_shell cb_platform_sdl)
endif()

if(TARGET cb_platform_sdl)
  foreach(name hover_bench wipe_bench)
    add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
    target_link_libraries(${name} PRIVATE cb_shell cb_platform_sdl cb_test_sdl_input
                          benchmark::benchmark)
    target_compile_definitions(${name} PRIVATE CB_BOOK_DIR="${CB_BOOK_DIR}")
    add_dependencies(${name} book-tree)
  endforeach()
endif()
