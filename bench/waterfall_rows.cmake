# Adding rows to the waterfall from one and four threads against a vector
# pushed onto a mutex-guarded deque, with the heap allocations counted.
kv_add_benchmark(waterfall_rows_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/waterfall_rows_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/HeapCounter.cpp DEPS waterfall)
