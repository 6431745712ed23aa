# Handing what the user chose to the Windows shell, for the settings window
# and the controller alike; below both, beside the configuration.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/shell_rules.cpp
)
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/launch_thread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell_launcher.cpp
)
