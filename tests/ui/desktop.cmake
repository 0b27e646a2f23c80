# Desktop integration: install the desktop component into a scratch prefix and validate what
# landed there with the freedesktop tools.
find_program(KELVARO_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(KELVARO_APPSTREAMCLI appstreamcli)
add_test(NAME ui.desktop_integration
         COMMAND ${CMAKE_COMMAND}
                 -DBUILD_DIR=${PROJECT_BINARY_DIR}
                 -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/desktop-install
                 -DAPP_ID=org.kelvaro.Kelvaro
                 -DDESKTOP_FILE_VALIDATE=${KELVARO_DESKTOP_FILE_VALIDATE}
                 -DAPPSTREAMCLI=${KELVARO_APPSTREAMCLI}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/DesktopCheck.cmake)
