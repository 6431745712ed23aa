# Native build: the portable logic under sanitizers, its fuzzers, and (as a
# superbuild) the two MinGW cross builds whose tests run under Wine.
option(TELLARO_SANITIZE "Build the native code with ASan and UBSan" ON)
option(TELLARO_CROSS "Also build the Windows program with MinGW-w64 (superbuild)" ON)
set(TELLARO_FUZZ_SECONDS 10 CACHE STRING "Length of the bounded fuzzing run in the tests")

if(TELLARO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(tellaro_core STATIC ${TELLARO_CORE_SOURCES})
target_include_directories(tellaro_core PUBLIC ${CMAKE_SOURCE_DIR})

# Item-file save and load timed on optimised code: without the sanitizers,
# so from its own copy of the codec. Printed figures, run on demand.
add_executable(item_file_bench bench/item_file_bench.cpp config/item_codec.cpp config/folder_model.cpp
                               base/path_text.cpp)
target_include_directories(item_file_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(item_file_bench PRIVATE -fno-sanitize=all)
target_link_options(item_file_bench PRIVATE -fno-sanitize=all)

if(NOT TELLARO_TESTS)
  return()
endif()

enable_testing()
include(GoogleTest)
tellaro_add_gtest_library()
file(GLOB TELLARO_NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(tellaro_native_tests ${TELLARO_NATIVE_TEST_SOURCES})
target_link_libraries(tellaro_native_tests PRIVATE tellaro_core gtest gtest_main)
# Every user guide the packages ship: each must hold every section the
# program's Help buttons open.
set(TELLARO_GUIDE_FILES ${CMAKE_SOURCE_DIR}/docs/Tellaro.html ${CMAKE_SOURCE_DIR}/docs/Tellaro.en.html)
list(JOIN TELLARO_GUIDE_FILES "|" guide_files)
target_compile_definitions(tellaro_native_tests PRIVATE TELLARO_GUIDE_FILES="${guide_files}")
# The resource script is read as a source: its two languages must agree.
target_compile_definitions(tellaro_native_tests PRIVATE TELLARO_RES_DIR="${CMAKE_SOURCE_DIR}/res")
gtest_discover_tests(tellaro_native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)

# libFuzzer targets: one per fuzz/*_fuzzer.cpp, each with a seed corpus in
# fuzz/corpus/<name>/. The test runs each for a few seconds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  file(GLOB TELLARO_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzzer.cpp)
  # The code under test needs the coverage instrumentation too, or libFuzzer
  # sees little more than the harness.
  add_library(tellaro_core_fuzz STATIC ${TELLARO_CORE_SOURCES})
  target_include_directories(tellaro_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(tellaro_core_fuzz PRIVATE -fsanitize=fuzzer-no-link)
  foreach(src ${TELLARO_FUZZERS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE tellaro_core_fuzz)
    set(work ${CMAKE_BINARY_DIR}/fuzz-work/${name})
    add_test(NAME fuzz.${name}
             COMMAND ${CMAKE_COMMAND} -E env ${CMAKE_SOURCE_DIR}/fuzz/run-fuzzer.sh
                     $<TARGET_FILE:${name}> ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name} ${work}
                     ${TELLARO_FUZZ_SECONDS})
  endforeach()
else()
  message(STATUS "Fuzzers need clang; skipped with ${CMAKE_CXX_COMPILER_ID}")
endif()

if(NOT TELLARO_CROSS)
  return()
endif()

# The Windows side: the 32-bit program that ships, and the same sources for
# x86-64 so that the Win32 tests run at native speed under wine64 even where
# the kernel cannot run 32-bit code (Wine then needs emulation for 32-bit).
include(ExternalProject)
set(TELLARO_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(TELLARO_WIN32_TESTS_32 "smoke" CACHE STRING "Win32 tests of the 32-bit build: full, smoke or none")
foreach(arch i686 x86_64)
  if(arch STREQUAL "i686")
    set(tests ${TELLARO_WIN32_TESTS_32})
    # Its end-to-end checks use the x86-64 probe, which starts at native speed.
    set(probe -DTELLARO_PROBE=${CMAKE_BINARY_DIR}/windows-x86_64/tellaro_probe.exe)
  else()
    set(probe)
    set(tests full)
  endif()
  ExternalProject_Add(windows_${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/windows-${arch}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-${arch}.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DTELLARO_SUPERBUILD_CHILD=ON
      -DTELLARO_WINE_DIR=${TELLARO_WINE_DIR}
      -DTELLARO_WIN_TESTS=${tests}
      -DTELLARO_GTEST_SOURCE_DIR=${TELLARO_GTEST_SOURCE_DIR}
      ${probe}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endforeach()
# The 32-bit end-to-end checks borrow the x86-64 probe.
ExternalProject_Add_StepDependencies(windows_i686 configure windows_x86_64)

add_test(NAME wine_session_start COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-session.sh start ${TELLARO_WINE_DIR})
add_test(NAME wine_session_stop COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-session.sh stop ${TELLARO_WINE_DIR})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine RESOURCE_LOCK wine_session)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine RESOURCE_LOCK wine_session)

# One CTest run covers all three builds.
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake
  "subdirs(\"${CMAKE_BINARY_DIR}/windows-x86_64\" \"${CMAKE_BINARY_DIR}/windows-i686\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)
