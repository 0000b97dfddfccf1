# Helpers shared by every folder's CMakeLists.txt.
include(GoogleTest)
include(GNUInstallDirs)
set(KV_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/kvwaterfall)

# kv_add_library(<name> SOURCES ... [QT] [DEPS ...])
# One static library per folder; QT turns on moc for Q_OBJECT/Q_GADGET classes.
function(kv_add_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  # installed next to other packages' libraries, so the file names say whose they are
  set_target_properties(${name} PROPERTIES OUTPUT_NAME kvwaterfall_${name})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
  kv_target_warnings(${name})
  kv_install_library(${name})
endfunction()

# kv_install_library(<name>)
# Installs a folder's library and its headers (include/kvwaterfall/<folder>/,
# so that installed code includes them as "display/KvDataDisplay.h" just as
# the tree does) into the package's export set (cmake/KvPackage.cmake).
function(kv_install_library name)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  install(FILES ${headers} DESTINATION ${KV_INSTALL_INCLUDEDIR}/${folder})
  install(TARGETS ${name} EXPORT KvWaterfallTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          INCLUDES DESTINATION ${KV_INSTALL_INCLUDEDIR})
  # A sanitized library needs its runtime in whatever program links it.
  if(KV_SANITIZER_FLAGS)
    get_target_property(type ${name} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      target_link_options(${name} INTERFACE $<INSTALL_INTERFACE:${KV_SANITIZER_FLAGS}>)
    endif()
  endif()
endfunction()

# kv_add_test(<name> SOURCES ... [DEPS ...] [THREADED] [QT])
# One GoogleTest executable per folder. Every case is registered with CTest.
# THREADED marks the executable for the ThreadSanitizer run.
function(kv_add_test name)
  cmake_parse_arguments(ARG "THREADED;QT" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock Threads::Threads)
  if(NOT ARG_SOURCES MATCHES "main\\.cpp")
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Qt6::Test)
  endif()
  kv_target_warnings(${name})
  set(labels unit)
  if(ARG_THREADED)
    list(APPEND labels threaded)
  endif()
  set(env
    "QT_QPA_PLATFORM=offscreen"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
    "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1"
    "UBSAN_OPTIONS=print_stacktrace=1 halt_on_error=1")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_PREFIX "${name}." TEST_LIST ${name}_TESTS PROPERTIES TIMEOUT 300)
  # gtest_discover_tests flattens list-valued properties, so the environment
  # and the labels are set by a script that CTest runs after discovery.
  set(props "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE "${props}"
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES\n"
    "    LABELS \"${labels}\"\n"
    "    ENVIRONMENT \"${env}\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${props}")
endfunction()

# kv_add_benchmark(<name> SOURCES ... [DEPS ...])
function(kv_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  kv_target_warnings(${name})
endfunction()

# kv_folder_library(<name> [QT] [DEPS ...])
# The library of the current folder from every .cpp/.h in it (not recursive),
# so that parallel work on separate units never edits the same list.
function(kv_folder_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # Headers are listed too, so that moc finds every Q_OBJECT class.
  set(cpp_sources ${sources})
  list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
  if(NOT cpp_sources)
    # Header-only until its first source arrives.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    kv_install_library(${name})
    return()
  endif()
  set(qt_flag)
  if(ARG_QT)
    set(qt_flag QT)
  endif()
  kv_add_library(${name} ${qt_flag} SOURCES ${sources} DEPS ${ARG_DEPS})
endfunction()

# kv_folder_test(<name> [QT] [THREADED] [DEPS ...])
# The test executable of the current tests/ folder from every .cpp in it.
function(kv_folder_test name)
  cmake_parse_arguments(ARG "QT;THREADED" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  # Headers are listed too, so that moc finds every Q_OBJECT test class.
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(APPEND sources ${headers})
  set(flags)
  if(ARG_QT)
    list(APPEND flags QT)
  endif()
  if(ARG_THREADED)
    list(APPEND flags THREADED)
  endif()
  kv_add_test(${name} ${flags} SOURCES ${sources} DEPS ${ARG_DEPS})
endfunction()
