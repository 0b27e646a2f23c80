# Run by ctest: the Windows octave-table, under wine, must write byte for byte what the native one
# writes, for every choice, in both languages, with the reference intervals and with all ratios.
file(MAKE_DIRECTORY ${OUT})
set(cases
    "all-greek|--all --json"
    "all-english|--all --json --language english"
    "ratios-greek|--all --json --ratios"
    "ratios-english|--all --json --ratios --language english")
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 name)
  list(GET parts 1 arguments)
  separate_arguments(arguments UNIX_COMMAND "${arguments}")
  execute_process(COMMAND ${NATIVE} ${arguments} OUTPUT_FILE ${OUT}/${name}.native
                  RESULT_VARIABLE native_rc)
  execute_process(COMMAND ${EMULATOR} ${WINDOWS} ${arguments} OUTPUT_FILE ${OUT}/${name}.windows
                  RESULT_VARIABLE windows_rc)
  if(NOT native_rc EQUAL 0 OR NOT windows_rc EQUAL 0)
    message(FATAL_ERROR "${name}: exit status ${native_rc} natively, ${windows_rc} under wine")
  endif()
  file(SIZE ${OUT}/${name}.native size)
  if(size LESS 10000)
    message(FATAL_ERROR "${name}: only ${size} bytes")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name}.native
                          ${OUT}/${name}.windows RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${name}: the Windows output differs from the native one; see ${OUT}")
  endif()
  message(STATUS "${name}: ${size} bytes, identical")
endforeach()
