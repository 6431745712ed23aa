# Run by cpack once the installer is made (CPACK_POST_BUILD_SCRIPTS): the
# portable zip, from the installer's staged files, so never without it.
# Info-ZIP's zip rather than CPack's generator, which stores each file's
# access and change times and its owner: -X leaves out all but the
# modification time, which zip stores in local time, so it runs in UTC.
file(GLOB files RELATIVE ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
set(zip ${CPACK_PACKAGE_DIRECTORY}/${CPACK_TELLARO_ZIP_NAME})
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -q ${zip} ${files}
                WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Portable zip: ${zip}")
