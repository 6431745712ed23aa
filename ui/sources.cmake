# Portable sources compile without windows.h and are tested natively.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/framework/command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/control_values.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/library_users.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/dialog_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/folder_properties_rules.cpp
)
# Win32 glue.
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/framework/application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framework/window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/framework/dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/dialog_control.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/tree_view_control.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls/image_list.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/options_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/about_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/folder_properties_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialogs/restore_save_dialog.cpp
)
