# Run by cpack once the files are staged and before the installer is made
# (CPACK_PRE_BUILD_SCRIPTS): the staged files become final here, and both
# packages take them from here (portable_zip.cmake), so they carry one and
# the same program.
#  - With TELLARO_SIGN_PKCS12 set, the program is signed, and the installer
#    template learns how to sign the uninstaller and itself.
#  - Every file gets the build's one date (source_date.cmake), which the
#    installer and the zip record.
include(${CPACK_TELLARO_SOURCE_DIR}/cmake/source_date.cmake)
file(GLOB files RELATIVE ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)

set(CPACK_TELLARO_SIGN "")
if(NOT "$ENV{TELLARO_SIGN_PKCS12}" STREQUAL "")
  # cpack and makensis each run in a directory of their own.
  if(NOT IS_ABSOLUTE "$ENV{TELLARO_SIGN_PKCS12}")
    message(FATAL_ERROR "TELLARO_SIGN_PKCS12 must be an absolute path: $ENV{TELLARO_SIGN_PKCS12}")
  endif()
  execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/sign.sh ${CPACK_TEMPORARY_DIRECTORY}/Tellaro.exe
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Signing failed: no packages made")
  endif()
  set(CPACK_TELLARO_SIGN ${CMAKE_CURRENT_LIST_DIR}/sign.sh)
endif()

tellaro_source_date(${CPACK_TELLARO_SOURCE_DIR} date)
if(date)
  execute_process(COMMAND touch -d @${date} ${files} WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
                  COMMAND_ERROR_IS_FATAL ANY)
else()
  message(WARNING "Neither SOURCE_DATE_EPOCH nor a git checkout: the packages record today's date")
endif()
