# One static library per unit folder. Portable sources are src/<unit>/*.cpp;
# sources under src/<unit>/win32/ join only the Windows build; src/<unit>/fake/
# (test doubles of the platform interfaces) joins both. Adding a file
# to a unit needs no CMake change (CONFIGURE_DEPENDS re-globs on build).
function(vorn_unit name)
  cmake_parse_arguments(U "" "" "DEPS;WIN32_LIBS;NATIVE_LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c
    ${CMAKE_CURRENT_SOURCE_DIR}/fake/*.cpp)
  if(WIN32)
    file(GLOB wsrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
    list(APPEND srcs ${wsrcs})
  endif()
  if(NOT srcs)
    add_library(vorn_${name} INTERFACE)
    target_include_directories(vorn_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vorn_${name} INTERFACE ${U_DEPS})
    return()
  endif()
  add_library(vorn_${name} STATIC ${srcs})
  target_include_directories(vorn_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(vorn_${name} PUBLIC ${U_DEPS})
  if(WIN32)
    target_link_libraries(vorn_${name} PUBLIC ${U_WIN32_LIBS})
  else()
    target_link_libraries(vorn_${name} PUBLIC ${U_NATIVE_LIBS})
  endif()
endfunction()

# One GoogleTest executable per folder of tests/: tests/<dir>/*.cpp, plus
# tests/<dir>/win32/*.cpp on the Windows build (run under Wine by ctest).
# LABELS tag the ctest entry (`threads`: the folders whose tests start
# threads, the ones the thread-sanitizer preset builds and runs).
function(vorn_tests dir)
  cmake_parse_arguments(T "" "" "DEPS;LABELS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    file(GLOB wsrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
    list(APPEND srcs ${wsrcs})
  endif()
  if(NOT srcs)
    return()
  endif()
  add_executable(vorn_${dir}_tests ${srcs})
  target_link_libraries(vorn_${dir}_tests PRIVATE ${T_DEPS} vorn_testsupport GTest::gtest_main)
  target_compile_definitions(vorn_${dir}_tests PRIVATE VORN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${dir} COMMAND vorn_${dir}_tests --gtest_brief=1)
  set_tests_properties(${dir} PROPERTIES TIMEOUT 600 LABELS "${T_LABELS}")
endfunction()
