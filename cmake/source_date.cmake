# The one date a build records, in the program's header and as the time of
# every packaged file: SOURCE_DATE_EPOCH when it is set, else the date of the
# last commit, so that two builds of one commit agree wherever and whenever
# they run. Empty outside a git checkout without SOURCE_DATE_EPOCH: the
# tools then record the current time.
function(tellaro_source_date source_dir out)
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(${out} "$ENV{SOURCE_DATE_EPOCH}" PARENT_SCOPE)
    return()
  endif()
  execute_process(COMMAND git -C ${source_dir} log -1 --format=%ct
                  OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR NOT date MATCHES "^[0-9]+$")
    set(date "")
  endif()
  set(${out} "${date}" PARENT_SCOPE)
endfunction()
