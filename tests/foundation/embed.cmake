# Configures, builds and runs the host project of embed/.
file(REMOVE_RECURSE "${BINARY}")
execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE}/tests/foundation/embed" -B "${BINARY}" -G Ninja
                        -DKELVARO_SOURCE=${SOURCE} -DKELVARO_BUILD_UI=OFF -DCMAKE_BUILD_TYPE=Release
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "configuring the host project failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${BINARY}" --target host RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "building the host project failed")
endif()
execute_process(COMMAND "${BINARY}/host" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "the host program got a wrong octave")
endif()
