# Checks of the packages of the 32-bit build: the package target itself, the
# program and the zip as Windows will read them, and the installer run for
# real in the Wine session. Included by cmake/Win32Targets.cmake.
set(TELLARO_SETUP ${CMAKE_BINARY_DIR}/Tellaro-Explorer-${PROJECT_VERSION}-setup.exe)
set(TELLARO_PORTABLE ${CMAKE_BINARY_DIR}/Tellaro-Explorer-${PROJECT_VERSION}-portable.zip)

# What a user of the build does: the README's package command.
add_test(NAME package_i686_build
         COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package)
set_tests_properties(package_i686_build PROPERTIES FIXTURES_SETUP packages)

add_test(NAME package_i686_contents
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/check_exe.py $<TARGET_FILE:Tellaro>
                 ${PROJECT_VERSION} ${TELLARO_MIN_WINDOWS_MAJOR}.${TELLARO_MIN_WINDOWS_MINOR}
                 ${CMAKE_C_COMPILER} ${TELLARO_PORTABLE} ${CMAKE_NM} ${CMAKE_ADDR2LINE})
set_tests_properties(package_i686_contents PROPERTIES FIXTURES_REQUIRED packages)

add_test(NAME e2e_i686_installer
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/installer.sh ${TELLARO_WINE_DIR} $<TARGET_FILE:Tellaro>
                 ${probe} ${CMAKE_BINARY_DIR}/artifacts ${TELLARO_SETUP})
tellaro_wine_test(e2e_i686_installer)
set_tests_properties(e2e_i686_installer PROPERTIES FIXTURES_REQUIRED "wine;packages" SKIP_RETURN_CODE 77)

# DLLs named like system libraries beside the program, the installer and the
# uninstaller: each writes a marker when loaded, and none may be.
add_library(tellaro_planted_dll SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.cpp)
set_target_properties(tellaro_planted_dll PROPERTIES PREFIX "")
target_link_options(tellaro_planted_dll PRIVATE -static)
add_test(NAME package_i686_planted_dlls
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/planted_dlls.sh ${TELLARO_WINE_DIR} $<TARGET_FILE:Tellaro>
                 ${probe} ${CMAKE_BINARY_DIR}/artifacts ${TELLARO_SETUP}
                 $<TARGET_FILE:tellaro_planted_dll>)
tellaro_wine_test(package_i686_planted_dlls)
set_tests_properties(package_i686_planted_dlls PROPERTIES FIXTURES_REQUIRED "wine;packages" SKIP_RETURN_CODE 77)

# Packages signed with a throwaway certificate, installed and uninstalled in
# the Wine session, in a directory of their own.
add_test(NAME package_i686_signing
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/signing.sh ${TELLARO_WINE_DIR} ${CMAKE_CPACK_COMMAND}
                 ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/signing)
tellaro_wine_test(package_i686_signing)
set_tests_properties(package_i686_signing PROPERTIES FIXTURES_REQUIRED "wine;packages" SKIP_RETURN_CODE 77)

# Two more clean builds of the program and its packages (about a minute
# and a half on two cores), compared byte for byte.
add_test(NAME package_i686_reproducible
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/reproducible.sh ${CMAKE_SOURCE_DIR}
                 ${CMAKE_BINARY_DIR}/reproducible)

# The portable zip unpacked as onto a stick keeps its settings beside it.
add_test(NAME e2e_i686_portable
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/portable.sh ${TELLARO_WINE_DIR} $<TARGET_FILE:Tellaro>
                 ${probe} ${CMAKE_BINARY_DIR}/artifacts ${TELLARO_PORTABLE})
tellaro_wine_test(e2e_i686_portable)
set_tests_properties(e2e_i686_portable PROPERTIES FIXTURES_REQUIRED "wine;packages" SKIP_RETURN_CODE 77)
