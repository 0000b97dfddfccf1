# The waterfall image's incremental paint against memcpy of the plot and
# against a full rebuild; the core share of a 1000 rows/s stream.
kv_add_benchmark(waterfall_image_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/waterfall_image_bench.cpp DEPS waterfall)
