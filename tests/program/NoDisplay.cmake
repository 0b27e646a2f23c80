# Run by ctest: the program started where no display can open must say so in one line and end
# with status 1. Run as: cmake -DPROGRAM=... -DPLATFORM=<name or empty> -P NoDisplay.cmake
if(PLATFORM)
  set(platform_env QT_QPA_PLATFORM=${PLATFORM})
else()
  set(platform_env --unset=QT_QPA_PLATFORM)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${platform_env}
                        "${PROGRAM}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "exit status ${status}, not 1; stderr:\n${err}")
endif()
if(NOT err STREQUAL "kelvaro: cannot open the display\n")
  message(FATAL_ERROR "stderr is not the one line expected:\n${err}")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "unexpected output:\n${out}")
endif()
