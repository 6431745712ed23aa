# Portable sources compile without windows.h and are tested natively.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/framework/command_line.cpp
)
# Win32 glue.
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/framework/application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framework/window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framework/dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/options_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/about_dialog.cpp
)
