# The Windows program file metadata (ui/windows/Kelvaro.rc.in, filled in by CMake): mingw-w64's
# windres compiles it, and the compiled resources are read back (package binutils-mingw-w64-x86-64).
find_program(KELVARO_WINDRES x86_64-w64-mingw32-windres)
if(KELVARO_WINDRES AND KELVARO_BUILD_UI)
  add_test(NAME platform.WindowsResources
           COMMAND ${CMAKE_COMMAND} -DWINDRES=${KELVARO_WINDRES} -DRC=${PROJECT_BINARY_DIR}/ui/Kelvaro.rc
                   -DMANIFEST=${PROJECT_BINARY_DIR}/ui/Kelvaro.manifest
                   -DVERSION=${PROJECT_VERSION} -DOUT=${CMAKE_CURRENT_BINARY_DIR}/Kelvaro.res
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/WindresCheck.cmake)
else()
  add_test(NAME platform.WindowsResources
           COMMAND ${CMAKE_COMMAND} -E echo
                   "SKIPPED: x86_64-w64-mingw32-windres not found; install binutils-mingw-w64-x86-64")
  set_tests_properties(platform.WindowsResources PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:")
endif()
