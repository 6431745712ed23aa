# The Windows program and its Win32 tests (MinGW cross build or MSVC).
enable_language(RC)

option(TELLARO_SUPERBUILD_CHILD "Configured by the native superbuild" OFF)
set(TELLARO_WINE_DIR "${CMAKE_BINARY_DIR}/wine" CACHE PATH "Private Wine session (prefix, X server)")
# full: every Win32 test; smoke: only the end-to-end checks of Tellaro.exe
# (for a build whose tests run under slow emulation).
set(TELLARO_WIN_TESTS "full" CACHE STRING "Which Win32 tests to register: full, smoke or none")

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0500)
if(NOT MSVC)
  # Resource texts are UTF-8 sources that windres stores as UTF-16.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

add_library(tellaro_core STATIC ${TELLARO_CORE_SOURCES})
target_include_directories(tellaro_core PUBLIC ${CMAKE_SOURCE_DIR})

add_library(tellaro_win STATIC ${TELLARO_WIN_SOURCES})
target_include_directories(tellaro_win PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(tellaro_win PUBLIC tellaro_core shell32 ole32 user32 gdi32 advapi32 uuid)

set(TELLARO_RC ${CMAKE_SOURCE_DIR}/res/tellaro.rc)
add_executable(Tellaro WIN32 app/main.cpp ${TELLARO_RC})
target_link_libraries(Tellaro PRIVATE tellaro_win)
set_target_properties(Tellaro PROPERTIES OUTPUT_NAME Tellaro)

if(NOT TELLARO_TESTS OR TELLARO_WIN_TESTS STREQUAL "none")
  return()
endif()

enable_testing()
set(TELLARO_WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh)
if(CMAKE_CROSSCOMPILING)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TELLARO_WINE_RUN} ${TELLARO_WINE_DIR})
  if(NOT TELLARO_SUPERBUILD_CHILD)
    add_test(NAME wine_session_start COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-session.sh start ${TELLARO_WINE_DIR})
    add_test(NAME wine_session_stop COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-session.sh stop ${TELLARO_WINE_DIR})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
  endif()
endif()

# Every Wine test shares one X server and one prefix: run them one at a time.
function(tellaro_wine_test name)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_session)
endfunction()

if(TELLARO_WIN_TESTS STREQUAL "full")
  tellaro_add_gtest_library()
  file(GLOB TELLARO_WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
  add_executable(tellaro_win32_tests ${TELLARO_WIN32_TEST_SOURCES} ${TELLARO_RC})
  target_link_libraries(tellaro_win32_tests PRIVATE tellaro_win gtest)
  # Console subsystem, so the runner's output reaches CTest.
  add_test(NAME win32_tests COMMAND tellaro_win32_tests --gtest_color=no)
  tellaro_wine_test(win32_tests)

  # One program per benchmark source; the popup path's is tellaro_bench.
  file(GLOB TELLARO_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  foreach(src ${TELLARO_BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    string(REPLACE "menu_bench" "bench" name ${name})
    add_executable(tellaro_${name} ${src} ${TELLARO_RC})
    target_link_libraries(tellaro_${name} PRIVATE tellaro_win)
  endforeach()
endif()

if(CMAKE_CROSSCOMPILING)
  # End-to-end checks drive the real Tellaro.exe from outside, as a user would,
  # with a small probe program in the same Wine session.
  add_executable(tellaro_probe tests/e2e/probe.cpp)
  add_executable(tellaro_settings_tool tests/e2e/settings_tool.cpp)
  target_link_libraries(tellaro_settings_tool PRIVATE tellaro_core)
  set(TELLARO_PROBE "" CACHE FILEPATH "Probe program for the end-to-end tests (default: this build's)")
  if(TELLARO_PROBE)
    set(probe ${TELLARO_PROBE})
  else()
    set(probe $<TARGET_FILE:tellaro_probe>)
  endif()
  file(GLOB TELLARO_E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
  # lib.sh is their shared part; demo.sh is the run command's show, not a check.
  list(FILTER TELLARO_E2E_SCRIPTS EXCLUDE REGEX "/(lib|demo)\\.sh$")
  foreach(script ${TELLARO_E2E_SCRIPTS})
    get_filename_component(stem ${script} NAME_WE)
    if(TELLARO_WIN_TESTS STREQUAL "smoke" AND NOT stem MATCHES "^smoke_")
      continue()
    endif()
    set(test_name "e2e_${CMAKE_SYSTEM_PROCESSOR}_${stem}")
    add_test(NAME ${test_name}
             COMMAND ${script} ${TELLARO_WINE_DIR} $<TARGET_FILE:Tellaro> ${probe} ${CMAKE_BINARY_DIR}/artifacts)
    tellaro_wine_test(${test_name})
    set_tests_properties(${test_name} PROPERTIES SKIP_RETURN_CODE 77)
  endforeach()
endif()
