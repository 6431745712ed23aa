# Portable sources compile without windows.h and are tested natively.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/launch_rules.cpp
)
# Win32 glue.
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tray_icon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tray_app.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tray_application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tray_controller.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tray_launch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tray_storage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tray_files.cpp
)
