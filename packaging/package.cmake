# The packages of the 32-bit program, made by CPack:
#   cmake --build <build dir> --target package
# gives Tellaro-Explorer-<version>-setup.exe (a per-user NSIS installer from
# our own template) and Tellaro-Explorer-<version>-portable.zip (the program
# and its user guide, nothing else) in the build directory.
install(TARGETS Tellaro RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/Tellaro.html DESTINATION .)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME "Tellaro Explorer")
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tellaro Explorer")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# Each generator gets its own file name (package_names.cmake, read by cpack).
set(CPACK_TELLARO_FILE_STEM "Tellaro-Explorer-${PROJECT_VERSION}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_names.cmake)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/res/program.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/res/program.ico)
# CPack's own template installs for all users and needs administrator
# rights; ours (NSIS.template.in here) installs for the current user.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
include(CPack)
