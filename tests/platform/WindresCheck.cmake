# Run by ctest: compiles the resource script, decompiles the result and checks what Windows
# reads from the program file: five icon images, the version strings and the manifest.
execute_process(COMMAND ${WINDRES} ${RC} -O res -o ${OUT}
                RESULT_VARIABLE rc_result ERROR_VARIABLE err)
if(rc_result)
  message(FATAL_ERROR "windres failed: ${err}")
endif()
execute_process(COMMAND ${WINDRES} -i ${OUT} -O rc OUTPUT_VARIABLE text RESULT_VARIABLE rc_result)
if(rc_result)
  message(FATAL_ERROR "windres could not read back ${OUT}")
endif()

# The program file must say 1.0.0.0; the resources take it from the project version.
if(NOT VERSION STREQUAL "1.0.0.0")
  message(FATAL_ERROR "the project version is ${VERSION}, the program file must say 1.0.0.0")
endif()
string(REPLACE "." ", " commas "${VERSION}")
string(REPLACE "." "\\." dotted "${VERSION}")
foreach(expected
        "Has 5 elements"
        "FILEVERSION ${commas}"
        "PRODUCTVERSION ${commas}"
        "VALUE \"FileVersion\", \"${dotted}\""
        "VALUE \"ProductVersion\", \"${dotted}\""
        "VALUE \"ProductName\", \"Kelvaro\""
        "VALUE \"FileDescription\", \"Kelvaro\""
        "1 24 /\\* RT_MANIFEST \\*/")
  if(NOT text MATCHES "${expected}")
    message(FATAL_ERROR "compiled resources lack: ${expected}")
  endif()
endforeach()

file(READ ${MANIFEST} manifest)
foreach(expected "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
                 "name=\"Kelvaro\" version=\"${VERSION}\""
                 "requestedExecutionLevel level=\"asInvoker\"")
  string(FIND "${manifest}" "${expected}" at)
  if(at LESS 0)
    message(FATAL_ERROR "manifest lacks: ${expected}")
  endif()
endforeach()
