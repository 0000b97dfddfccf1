# Centred nearest-neighbour resize against memcpy of the destination bytes.
kv_add_benchmark(resize_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/resize_bench.cpp DEPS primitives)
