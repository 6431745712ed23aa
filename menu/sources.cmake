# Portable sources compile without windows.h and are tested natively.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/command_routing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktop_entries.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menu_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/popup_placement.cpp
)
# Win32 glue.
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/desktop_menu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/popup_menus.cpp
)
