kv_add_benchmark(bench_move SOURCES ${CMAKE_CURRENT_LIST_DIR}/move_bench.cpp DEPS primitives)
