# Portable sources compile without windows.h and are tested natively.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/memory_node_tree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_tree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_frame_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/item_names.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tree_editor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drag_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/edit_history.cpp
)
# Win32 glue.
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tree_view_node_tree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window_frame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window_menus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window_editing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window_drag.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_window_history.cpp
    ${CMAKE_CURRENT_LIST_DIR}/special_folder_fetch.cpp
)
