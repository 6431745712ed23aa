# The Windows program and its Win32 tests (MinGW cross build or MSVC).
enable_language(RC)

option(TELLARO_SUPERBUILD_CHILD "Configured by the native superbuild" OFF)
set(TELLARO_WINE_DIR "${CMAKE_BINARY_DIR}/wine" CACHE PATH "Private Wine session (prefix, X server)")
# full: every Win32 test; smoke: only the end-to-end checks of Tellaro.exe
# (for a build whose tests run under slow emulation).
set(TELLARO_WIN_TESTS "full" CACHE STRING "Which Win32 tests to register: full, smoke or none")

# The oldest Windows the program runs on: Vista. The MinGW runtime already
# needs it (GetTickCount64), so the headers, the executable's header and the
# manifest's supportedOS list all say so; a package test checks the imports.
set(TELLARO_MIN_WINDOWS 0x0600)
math(EXPR TELLARO_MIN_WINDOWS_MAJOR "${TELLARO_MIN_WINDOWS} >> 8")
math(EXPR TELLARO_MIN_WINDOWS_MINOR "${TELLARO_MIN_WINDOWS} & 255")
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=${TELLARO_MIN_WINDOWS}
                        WINVER=${TELLARO_MIN_WINDOWS} _WIN32_IE=0x0500)
if(MSVC)
  # The resource script brings the manifest; a second one from the linker
  # would collide with it.
  add_link_options(/MANIFEST:NO)
else()
  # Resource texts are UTF-8 sources that windres stores as UTF-16.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
  # Windows refuses to start an executable whose header asks for a newer
  # system, so older ones fail at once instead of on a missing import.
  add_link_options(
    -Wl,--major-os-version,${TELLARO_MIN_WINDOWS_MAJOR},--minor-os-version,${TELLARO_MIN_WINDOWS_MINOR}
    -Wl,--major-subsystem-version,${TELLARO_MIN_WINDOWS_MAJOR},--minor-subsystem-version,${TELLARO_MIN_WINDOWS_MINOR})
  # Two builds of one commit must match byte for byte wherever they run, so
  # neither the checkout's nor the build's directory may reach the symbols,
  # whose checksum the shipped program carries. The last matching map wins,
  # and the build directory may lie inside the checkout: it comes last.
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>
                      $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=.>)
endif()

# Version header and manifest of the resource script, from the project version.
set(TELLARO_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
set(TELLARO_VERSION_TEXT "${PROJECT_VERSION}")
set(TELLARO_VERSION_SHORT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(TELLARO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(res/version.h.in ${TELLARO_GENERATED_DIR}/tellaro_version.h @ONLY)
configure_file(res/tellaro.manifest.in ${TELLARO_GENERATED_DIR}/tellaro.manifest @ONLY)

add_library(tellaro_core STATIC ${TELLARO_CORE_SOURCES})
target_include_directories(tellaro_core PUBLIC ${CMAKE_SOURCE_DIR})

add_library(tellaro_win STATIC ${TELLARO_WIN_SOURCES})
target_include_directories(tellaro_win PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res
                                              ${TELLARO_GENERATED_DIR})
target_link_libraries(tellaro_win PUBLIC tellaro_core shell32 shlwapi ole32 user32 gdi32 advapi32 uuid)

set(TELLARO_RC ${CMAKE_SOURCE_DIR}/res/tellaro.rc)
add_executable(Tellaro WIN32 app/main.cpp ${TELLARO_RC})
target_link_libraries(Tellaro PRIVATE tellaro_win)
set_target_properties(Tellaro PROPERTIES OUTPUT_NAME Tellaro)
# The resource compiler reports no dependencies: without these, regenerated
# icons and cursors, or a changed English block, would not reach the
# programs of an existing build tree.
file(GLOB TELLARO_RC_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.cur)
set_source_files_properties(${TELLARO_RC} PROPERTIES
  OBJECT_DEPENDS "${TELLARO_GENERATED_DIR}/tellaro_version.h;${TELLARO_GENERATED_DIR}/tellaro.manifest;${TELLARO_RC_IMAGES};${CMAKE_SOURCE_DIR}/res/tellaro_en.rc;${CMAKE_SOURCE_DIR}/res/resource.h")

if(NOT MSVC)
  # The program ships stripped; its symbols stay in the build tree beside it
  # (Tellaro.exe.debug), with our own code's lines, for crash addresses.
  foreach(target tellaro_core tellaro_win Tellaro)
    target_compile_options(${target} PRIVATE -g)
  endforeach()
  add_custom_command(TARGET Tellaro POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:Tellaro> -DOBJCOPY=${CMAKE_OBJCOPY}
            -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/strip_program.cmake
    VERBATIM)
endif()

# The 32-bit program is the one that ships: installer and portable zip.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  include(packaging/package.cmake)
endif()

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

  # Folder names under the ANSI code pages of systems outside Japan: UTF-8,
  # which only a manifest gives a program under Wine, and 1252, which an
  # English locale gives.
  set(code_page_test ${CMAKE_SOURCE_DIR}/tests/code_page/code_page_test.cpp)
  add_executable(tellaro_utf8_code_page_tests ${code_page_test}
                                              ${CMAKE_SOURCE_DIR}/tests/code_page/utf8.rc)
  add_executable(tellaro_code_page_tests ${code_page_test})
  foreach(target tellaro_utf8_code_page_tests tellaro_code_page_tests)
    target_link_libraries(${target} PRIVATE tellaro_win gtest gtest_main)
  endforeach()
  add_test(NAME code_page_utf8_tests COMMAND tellaro_utf8_code_page_tests --gtest_color=no)
  add_test(NAME code_page_1252_tests
           COMMAND ${CMAKE_COMMAND} -E env TELLARO_WINE_LOCALE=en_US.UTF-8 ${TELLARO_WINE_RUN}
                   ${TELLARO_WINE_DIR} $<TARGET_FILE:tellaro_code_page_tests> --gtest_color=no)
  tellaro_wine_test(code_page_utf8_tests)
  tellaro_wine_test(code_page_1252_tests)

  # A save killed at any moment leaves one whole settings file (a short run
  # here; the program's default of 100 kills on demand).
  add_executable(tellaro_kill_during_save tests/durability/kill_during_save.cpp)
  target_link_libraries(tellaro_kill_during_save PRIVATE tellaro_win)
  add_test(NAME kill_during_save COMMAND tellaro_kill_during_save 20)
  tellaro_wine_test(kill_during_save)

  # Benchmarks print figures and are run on demand, never by CTest.
  add_executable(tellaro_bench bench/menu_bench.cpp ${TELLARO_RC})
  target_link_libraries(tellaro_bench PRIVATE tellaro_win)
  add_executable(tellaro_settings_tree_bench bench/settings_tree_bench.cpp ${TELLARO_RC})
  target_link_libraries(tellaro_settings_tree_bench PRIVATE tellaro_win)
  add_library(tellaro_process_bench STATIC bench/process_bench.cpp)
  target_link_libraries(tellaro_process_bench PUBLIC tellaro_win psapi)
  foreach(name soak startup_bench)
    add_executable(tellaro_${name} bench/${name}.cpp)
    target_link_libraries(tellaro_${name} PRIVATE tellaro_process_bench)
  endforeach()
  add_executable(tellaro_bare_tray WIN32 bench/bare_tray.cpp ${TELLARO_RC})
  target_include_directories(tellaro_bare_tray PRIVATE ${CMAKE_SOURCE_DIR} ${TELLARO_GENERATED_DIR})
  target_link_libraries(tellaro_bare_tray PRIVATE shell32)
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
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      # Each takes well under two minutes; a hang must not eat the run.
      set_tests_properties(${test_name} PROPERTIES TIMEOUT 400)
    endif()
  endforeach()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    include(tests/package/tests.cmake)
  endif()
endif()
