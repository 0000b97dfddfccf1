# The axis component's whole tick pass on a 1920-pixel axis against drawing
# one line of text per tick.
kv_add_benchmark(axis_draw_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/axis_draw_bench.cpp
          ${PROJECT_SOURCE_DIR}/tests/display/AxisTestDisplay.cpp
          ${PROJECT_SOURCE_DIR}/tests/display/AxisTestDisplay.h
  DEPS display)
set_target_properties(axis_draw_bench PROPERTIES AUTOMOC ON)
target_include_directories(axis_draw_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/display)
