# Creating, filling, copying and releasing pooled real buffers against a plain
# new/delete of the same 128 doubles, with the heap allocations counted.
kv_add_benchmark(buffers_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/buffers_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/HeapCounter.cpp DEPS buffers)
