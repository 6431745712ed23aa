# Portable sources compile without windows.h and are tested natively.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/backup_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_model.cpp
    ${CMAKE_CURRENT_LIST_DIR}/item_codec.cpp
    ${CMAKE_CURRENT_LIST_DIR}/legacy_import.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_place.cpp
    ${CMAKE_CURRENT_LIST_DIR}/special_folder_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system_text.cpp
)
# Win32 glue.
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/kept_saves.cpp
    ${CMAKE_CURRENT_LIST_DIR}/portable_copy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/profile_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_key.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/special_folders_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system_info.cpp
)
