# Cross-compiles the winmm MIDI output with the synthesizer module and the keyboard logic into a
# small Windows program, then checks that it imports the four winmm operations.
# Run as: cmake -DCXX=... -DOBJDUMP=... -DSOURCE_DIR=... -DOUT=... -P WinmmCheck.cmake
execute_process(
  COMMAND "${CXX}" -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -I${SOURCE_DIR}
          ${SOURCE_DIR}/sound/MidiOutWinmm.cpp ${SOURCE_DIR}/sound/SynthSm.cpp
          ${SOURCE_DIR}/sound/KeyPlayer.cpp ${SOURCE_DIR}/tests/platform/winmm_driver.cpp
          -lwinmm -static -o "${OUT}"
  RESULT_VARIABLE Built)
if(NOT Built EQUAL 0)
  message(FATAL_ERROR "mingw compile and link of the winmm output failed")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${OUT}" OUTPUT_VARIABLE Imports RESULT_VARIABLE Dumped)
if(NOT Dumped EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${OUT}")
endif()
string(TOLOWER "${Imports}" Imports)
foreach(Wanted "dll name: winmm.dll" midioutopen midioutshortmsg midioutreset midioutclose)
  string(FIND "${Imports}" "${Wanted}" At)
  if(At EQUAL -1)
    message(FATAL_ERROR "${OUT} does not import ${Wanted}")
  endif()
endforeach()
message(STATUS "winmm output cross-compiled and linked: ${OUT}")
