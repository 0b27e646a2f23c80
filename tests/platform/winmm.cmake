# The winmm MIDI output cannot run here; the mingw-w64 cross compiler proves that it compiles
# and links (package g++-mingw-w64-x86-64-posix).
find_program(KELVARO_MINGW_CXX x86_64-w64-mingw32-g++-posix)
find_program(KELVARO_MINGW_OBJDUMP x86_64-w64-mingw32-objdump)
if(KELVARO_MINGW_CXX AND KELVARO_MINGW_OBJDUMP)
  add_test(NAME platform.WinmmCompileAndLink
           COMMAND ${CMAKE_COMMAND} -DCXX=${KELVARO_MINGW_CXX} -DOBJDUMP=${KELVARO_MINGW_OBJDUMP}
                   -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUT=${CMAKE_CURRENT_BINARY_DIR}/winmm_driver.exe
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/WinmmCheck.cmake)
else()
  add_test(NAME platform.WinmmCompileAndLink
           COMMAND ${CMAKE_COMMAND} -E echo
                   "SKIPPED: x86_64-w64-mingw32-g++-posix or -objdump not found; install g++-mingw-w64-x86-64-posix")
  set_tests_properties(platform.WinmmCompileAndLink PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:")
endif()
