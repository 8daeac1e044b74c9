# One static library per source folder: every .cpp below the folder joins it.
# Libraries of this project may depend on each other in cycles (static only).
function(velmaric_module name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  add_library(velmaric_${name} STATIC ${sources})
  target_include_directories(velmaric_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(velmaric_${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# One GoogleTest executable per folder of tests/, named after it.
function(velmaric_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(tests_${folder} ${sources})
  target_link_libraries(tests_${folder} PRIVATE ${ARG_DEPS} velmaric_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(tests_${folder}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
