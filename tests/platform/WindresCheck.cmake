# Run by ctest: compiles the resource script, decompiles the result and checks what Windows
# reads from the program file: five icon images, the version strings and the manifest.
set(rc ${SOURCE_DIR}/ui/windows/Kelvaro.rc)
execute_process(COMMAND ${WINDRES} -I${SOURCE_DIR}/ui/windows ${rc} -O res -o ${OUT}
                RESULT_VARIABLE rc_result ERROR_VARIABLE err)
if(rc_result)
  message(FATAL_ERROR "windres failed: ${err}")
endif()
execute_process(COMMAND ${WINDRES} -i ${OUT} -O rc OUTPUT_VARIABLE text RESULT_VARIABLE rc_result)
if(rc_result)
  message(FATAL_ERROR "windres could not read back ${OUT}")
endif()

foreach(expected
        "Has 5 elements"
        "FILEVERSION 1, 0, 0, 0"
        "PRODUCTVERSION 1, 0, 0, 0"
        "VALUE \"FileVersion\", \"1.0.0.0\""
        "VALUE \"ProductVersion\", \"1.0.0.0\""
        "VALUE \"ProductName\", \"Kelvaro\""
        "VALUE \"FileDescription\", \"Kelvaro\""
        "1 24 /\\* RT_MANIFEST \\*/")
  if(NOT text MATCHES "${expected}")
    message(FATAL_ERROR "compiled resources lack: ${expected}")
  endif()
endforeach()

file(READ ${SOURCE_DIR}/ui/windows/Kelvaro.manifest manifest)
foreach(expected "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
                 "requestedExecutionLevel level=\"asInvoker\"")
  string(FIND "${manifest}" "${expected}" at)
  if(at LESS 0)
    message(FATAL_ERROR "manifest lacks: ${expected}")
  endif()
endforeach()
