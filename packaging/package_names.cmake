# Read by cpack once per generator: the installer and the zip get names that
# say what they are.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_TELLARO_FILE_STEM}-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_TELLARO_FILE_STEM}-portable")
endif()
