# The layer every other one builds on: the root class, the module instance,
# string-table texts in the chosen language and the entry points loaded at run time.
list(APPEND TELLARO_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/path_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screen_geometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui_language.cpp
)
list(APPEND TELLARO_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/modal_loop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monitors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/module_instance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_language.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/runtime_api.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system_code_page.cpp
)
