# What a host developer gets from an installation: the headers under include/kzdlogsrv, the
# CMake package kzdlogsrv (kzdlogsrv::kzdlogsrv: the headers; kzdlogsrv::module: the module to
# link for the status exports) and kzdlogsrv.pc. Relocatable: a tree unpacked elsewhere works.
include(CMakePackageConfigHelpers)

set(kz_include_subdir ${CMAKE_INSTALL_INCLUDEDIR}/kzdlogsrv)
set(kz_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/kzdlogsrv)

install(FILES ${PROJECT_SOURCE_DIR}/src/shell/com.h ${PROJECT_SOURCE_DIR}/src/shell/status_exports.h
        DESTINATION ${kz_include_subdir})

# The name kzdlogsrv is the host program's; the exported name is the package's.
add_library(kzdlogsrv_headers INTERFACE)
set_target_properties(kzdlogsrv_headers PROPERTIES EXPORT_NAME kzdlogsrv)
target_include_directories(kzdlogsrv_headers INTERFACE
                           $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_libraries(kzdlogsrv_headers INTERFACE ${CMAKE_DL_LIBS})
set_target_properties(kzdlogsrv_module PROPERTIES EXPORT_NAME module)
target_include_directories(kzdlogsrv_module INTERFACE
                           $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS kzdlogsrv_headers kzdlogsrv_module EXPORT kzdlogsrvTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT kzdlogsrvTargets NAMESPACE kzdlogsrv:: DESTINATION ${kz_cmake_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kzdlogsrvConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/kzdlogsrvConfig.cmake
                              INSTALL_DESTINATION ${kz_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kzdlogsrvConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kzdlogsrvConfig.cmake
              ${PROJECT_BINARY_DIR}/kzdlogsrvConfigVersion.cmake
        DESTINATION ${kz_cmake_dir})

configure_file(${PROJECT_SOURCE_DIR}/cmake/kzdlogsrv.pc.in ${PROJECT_BINARY_DIR}/kzdlogsrv.pc
               @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kzdlogsrv.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
