# One static library per source folder: every .cpp below the folder joins it. A library links only
# libraries of folders listed before its own in VELMARIC_MODULES (velmaric_check_layers).
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

# Refuses a link from a library to the library of its own or a later folder in VELMARIC_MODULES,
# and an include of a later folder's header: with every dependency pointing back along that list,
# no two libraries can depend on each other.
function(velmaric_check_layers)
  foreach(module IN LISTS VELMARIC_MODULES)
    if(NOT TARGET velmaric_${module})
      continue()
    endif()
    list(FIND VELMARIC_MODULES ${module} layer)

    file(GLOB_RECURSE files ${CMAKE_SOURCE_DIR}/${module}/*.h ${CMAKE_SOURCE_DIR}/${module}/*.cpp)
    foreach(file IN LISTS files)
      file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
      foreach(include IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([A-Za-z0-9_]+)/.*$" "\\1" folder "${include}")
        list(FIND VELMARIC_MODULES ${folder} folder_layer)
        if(folder_layer GREATER layer)
          file(RELATIVE_PATH where ${CMAKE_SOURCE_DIR} ${file})
          message(FATAL_ERROR
            "${where} includes a header of ${folder}/, which comes after ${module}/ in VELMARIC_MODULES: "
            "libraries depend one way only.")
        endif()
      endforeach()
    endforeach()

    get_target_property(links velmaric_${module} LINK_LIBRARIES)
    get_target_property(interface_links velmaric_${module} INTERFACE_LINK_LIBRARIES)
    string(REGEX MATCHALL "velmaric_[A-Za-z0-9_]+" deps "${links};${interface_links}")
    list(REMOVE_DUPLICATES deps)
    foreach(dep IN LISTS deps)
      string(REGEX REPLACE "^velmaric_" "" dep_module ${dep})
      list(FIND VELMARIC_MODULES ${dep_module} dep_layer)
      if(dep_layer GREATER_EQUAL layer)
        message(FATAL_ERROR
          "velmaric_${module} links ${dep}, but ${dep_module}/ does not come before ${module}/ in "
          "VELMARIC_MODULES: libraries depend one way only. Move the code both need into the lower "
          "folder, or let the program's composition (program/) join them.")
      endif()
    endforeach()
  endforeach()
endfunction()
