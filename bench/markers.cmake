# Painting 10 000 markers against 10 000 canvas rectangle fills.
kv_add_benchmark(markers_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/markers_bench.cpp
          ${PROJECT_SOURCE_DIR}/tests/display/TestDisplay.cpp
          ${PROJECT_SOURCE_DIR}/tests/display/TestDisplay.h
  DEPS display)
set_target_properties(markers_bench PROPERTIES AUTOMOC ON)
target_include_directories(markers_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/display)
