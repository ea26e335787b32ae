cb_add_bench(fill_bench ${CMAKE_CURRENT_SOURCE_DIR}/fill_bench.cpp LIBS cb_fill)
