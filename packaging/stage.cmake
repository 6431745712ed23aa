# Run by cpack once the files are staged and before the installer is made
# (CPACK_PRE_BUILD_SCRIPTS): the staged files become final here, and both
# packages take them from here (portable_zip.cmake), so they carry one and
# the same program. Every file gets the build's one date (source_date.cmake),
# which the installer and the zip record.
include(${CPACK_TELLARO_SOURCE_DIR}/cmake/source_date.cmake)
file(GLOB files RELATIVE ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)

tellaro_source_date(${CPACK_TELLARO_SOURCE_DIR} date)
if(date)
  execute_process(COMMAND touch -d @${date} ${files} WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
                  COMMAND_ERROR_IS_FATAL ANY)
else()
  message(WARNING "Neither SOURCE_DATE_EPOCH nor a git checkout: the packages record today's date")
endif()
