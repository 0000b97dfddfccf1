# Mapping a row of values to pixels through the level colours, against a
# plain table lookup loop writing the same pixels.
kv_add_benchmark(level_colors_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/level_colors_bench.cpp DEPS waterfall)
