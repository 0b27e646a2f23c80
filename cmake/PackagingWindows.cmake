# The Windows release files, made from the same four files: the installer (NSIS, per user, no
# administrator rights) and the portable zip, in build/windows/release/. Each is byte for byte the
# same on every build of one commit (see WindowsRelease.cmake).
find_program(KELVARO_MAKENSIS makensis REQUIRED)
find_program(KELVARO_ZIP zip REQUIRED)

set(KELVARO_VERSION_SHORT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
# The publisher of the Debian package too, when its packaging settings come first.
set(publisher "The Kelvaro developers")
if(DEFINED CPACK_PACKAGE_VENDOR)
  set(publisher "${CPACK_PACKAGE_VENDOR}")
endif()
set(release ${CMAKE_BINARY_DIR}/release)
set(KELVARO_WINDOWS_SETUP ${release}/Kelvaro-${KELVARO_VERSION_SHORT}-win64-setup.exe)
set(KELVARO_WINDOWS_ZIP ${release}/Kelvaro-${KELVARO_VERSION_SHORT}-win64.zip)

# The texts as Windows programs show them: CRLF line ends.
string(REGEX REPLACE "." "=" KELVARO_VERSION_UNDERLINE "Kelvaro ${KELVARO_VERSION_SHORT} for Windows")
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${release}/texts/README.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${release}/texts/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

# The files of both; the installer installs and removes the same list.
set(files $<TARGET_FILE:kelvaro> ${release}/texts/LICENSE.txt ${release}/texts/README.txt
          $<TARGET_FILE:octave-table>)
list(JOIN files "|" files)
set(nsi ${PROJECT_SOURCE_DIR}/packaging/windows/Kelvaro.nsi)
add_custom_command(
  OUTPUT ${KELVARO_WINDOWS_SETUP} ${KELVARO_WINDOWS_ZIP}
  COMMAND
    ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DMAKENSIS=${KELVARO_MAKENSIS} -DZIP=${KELVARO_ZIP}
    -DNSI=${nsi} -DICON=${PROJECT_SOURCE_DIR}/ui/art/kelvaro.ico -DVERSION=${PROJECT_VERSION}
    "-DPUBLISHER=${publisher}" "-DFILES=${files}" -DWORK=${release}/work
    -DSETUP=${KELVARO_WINDOWS_SETUP} -DZIPFILE=${KELVARO_WINDOWS_ZIP}
    -P ${CMAKE_CURRENT_LIST_DIR}/WindowsRelease.cmake
  DEPENDS kelvaro octave-table ${release}/texts/LICENSE.txt ${release}/texts/README.txt ${nsi}
          ${CMAKE_CURRENT_LIST_DIR}/WindowsRelease.cmake
  COMMENT "Windows installer and zip"
  VERBATIM)
add_custom_target(windows_release ALL DEPENDS ${KELVARO_WINDOWS_SETUP} ${KELVARO_WINDOWS_ZIP})
