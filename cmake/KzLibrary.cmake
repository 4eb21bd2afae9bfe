# kz_library(NAME DIR [DEPS ...]): a static library of every .cpp in DIR (not below it).
# A directory without sources yet gives an interface library, so dependents link either way.
function(kz_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# kz_test(NAME [DEPS ...] [FILTER gtest-filter]): one GoogleTest program of every .cpp in the
# current directory; FILTER leaves out the cases this configuration cannot run.
function(kz_test name)
  cmake_parse_arguments(ARG "" "FILTER" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE kz_test_support ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  set(filter)
  if(ARG_FILTER)
    set(filter TEST_FILTER ${ARG_FILTER})
  endif()
  # One ENVIRONMENT value per variable: a list would be split into separate properties.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 ${filter}
    PROPERTIES ENVIRONMENT "KZ_BUILD_DIR=${PROJECT_BINARY_DIR}"
               ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen")
endfunction()
