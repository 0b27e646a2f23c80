# The Windows programs: mingw-w64 against the static Qt that scripts/windows/build-qt makes.
# Qt's own toolchain file loads cmake/mingw-w64.cmake (the copy kept with Qt) and finds the host
# tools (moc, uic, rcc) of the machine's Qt.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/build-qt --prefix
                OUTPUT_VARIABLE KELVARO_QT_WINDOWS OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT EXISTS "${KELVARO_QT_WINDOWS}/.complete")
  message(FATAL_ERROR "No Qt for Windows at '${KELVARO_QT_WINDOWS}': run scripts/windows/build-qt")
endif()
include("${KELVARO_QT_WINDOWS}/lib/cmake/Qt6/qt.toolchain.cmake")

# Tests run the Windows programs under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run
                                  ${CMAKE_BINARY_DIR}/wine)

# Self-contained programs: the C++ runtime, libgcc and winpthread linked in, symbols stripped.
# The same bytes from every build of one commit: the linker writes no time stamp into the program
# files, and source paths are written relative to the source folder, wherever it is.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s -Wl,--no-insert-timestamp")
get_filename_component(kelvaro_source ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(CMAKE_C_FLAGS_INIT "-ffile-prefix-map=${kelvaro_source}=.")
set(CMAKE_CXX_FLAGS_INIT "-ffile-prefix-map=${kelvaro_source}=.")
