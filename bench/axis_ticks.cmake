# A full tick pass of a 1920-pixel axis against drawing its labels' text.
kv_add_benchmark(axis_ticks_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/axis_ticks_bench.cpp DEPS display)
