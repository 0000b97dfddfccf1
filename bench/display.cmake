# The display's paint: a blit of its bitmap, and a full render of the test
# display, each against memcpy of the frame's bytes.
kv_add_benchmark(display_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/display_bench.cpp
          ${PROJECT_SOURCE_DIR}/tests/display/TestDisplay.cpp
          ${PROJECT_SOURCE_DIR}/tests/display/TestDisplay.h
  DEPS display)
set_target_properties(display_bench PROPERTIES AUTOMOC ON)
target_include_directories(display_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/display)
