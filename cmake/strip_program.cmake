# Run after each link of the program (cmake -P):
#   -DEXE=<program> -DOBJCOPY=<objcopy> -DSOURCE_DIR=<checkout>
# Moves the symbols into EXE.debug and leaves EXE without them, naming the
# symbols file (and its checksum) in EXE's .gnu_debuglink section, so that
# addr2line can still resolve a user's crash address against what shipped.
# objcopy writes a new time stamp into both files; binutils takes it from
# SOURCE_DATE_EPOCH, which the build's date sets.
include(${CMAKE_CURRENT_LIST_DIR}/source_date.cmake)
tellaro_source_date(${SOURCE_DIR} date)
if(date)
  set(ENV{SOURCE_DATE_EPOCH} ${date})
endif()
execute_process(COMMAND ${OBJCOPY} --only-keep-debug ${EXE} ${EXE}.debug COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${OBJCOPY} --strip-all --add-gnu-debuglink=${EXE}.debug ${EXE}
                COMMAND_ERROR_IS_FATAL ANY)
