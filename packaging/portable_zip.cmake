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

# Only the zip is a portable copy: the marker beside the program makes it
# keep its settings in its own folder. It gets the build's one date too.
include(${CPACK_TELLARO_SOURCE_DIR}/cmake/source_date.cmake)
set(marker_dir ${CPACK_TEMPORARY_DIRECTORY}-marker)
file(REMOVE_RECURSE ${marker_dir})
file(COPY ${CPACK_TELLARO_SOURCE_DIR}/packaging/Tellaro.portable DESTINATION ${marker_dir})
tellaro_source_date(${CPACK_TELLARO_SOURCE_DIR} date)
if(date)
  execute_process(COMMAND touch -d @${date} Tellaro.portable WORKING_DIRECTORY ${marker_dir}
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -q ${zip} Tellaro.portable
                WORKING_DIRECTORY ${marker_dir} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${marker_dir})
