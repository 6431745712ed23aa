# The packages of the 32-bit program:
#   cmake --build <build dir> --target package
# gives Tellaro-Explorer-<version>-setup.exe (a per-user NSIS installer from
# our own template, made by CPack) and Tellaro-Explorer-<version>-portable.zip
# (the program and its user guides, nothing else) in the build directory.
# Both come from the same staged files, signed on request (stage.cmake).
install(TARGETS Tellaro RUNTIME DESTINATION .)
# The program opens the guide of the language it shows.
install(FILES ${CMAKE_SOURCE_DIR}/docs/Tellaro.html ${CMAKE_SOURCE_DIR}/docs/Tellaro.en.html
        DESTINATION .)

set(CPACK_GENERATOR "NSIS")
set(CPACK_PACKAGE_NAME "Tellaro Explorer")
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tellaro Explorer")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_FILE_NAME "Tellaro-Explorer-${PROJECT_VERSION}-setup")
set(CPACK_TELLARO_ZIP_NAME "Tellaro-Explorer-${PROJECT_VERSION}-portable.zip")
set(CPACK_TELLARO_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/stage.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/portable_zip.cmake)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/res/program.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/res/program.ico)
# CPack's own template installs for all users and needs administrator
# rights; ours (NSIS.template.in here) installs for the current user.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
include(CPack)
