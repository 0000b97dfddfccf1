# The installed package: `find_package(KvWaterfall)` gives the imported
# target KvWaterfall::KvWaterfall (the waterfall control and everything under
# it) and one KvWaterfall::<folder> target per library folder. The libraries
# are static, so the package finds their Qt, libjpeg and thread dependencies
# for the program that links them.
include(CMakePackageConfigHelpers)

set(KV_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/KvWaterfall)

add_library(KvWaterfall INTERFACE)
target_link_libraries(KvWaterfall INTERFACE waterfall)
# Decided here, not by a generator expression: exported, TARGET_EXISTS would
# be asked about "dialogs" in the user's project, where it is not a target.
if(TARGET dialogs)
  target_link_libraries(KvWaterfall INTERFACE dialogs)
endif()
add_library(KvWaterfall::KvWaterfall ALIAS KvWaterfall)
install(TARGETS KvWaterfall EXPORT KvWaterfallTargets)

install(EXPORT KvWaterfallTargets NAMESPACE KvWaterfall:: DESTINATION ${KV_PACKAGE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KvWaterfallConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/KvWaterfallConfig.cmake
                              INSTALL_DESTINATION ${KV_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KvWaterfallConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KvWaterfallConfig.cmake
              ${PROJECT_BINARY_DIR}/KvWaterfallConfigVersion.cmake
        DESTINATION ${KV_PACKAGE_DIR})
