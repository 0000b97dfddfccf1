# A full refresh of a whole waterfall control against memcpy of its frame.
kv_add_benchmark(waterfall_control_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/waterfall_control_bench.cpp DEPS waterfall)
