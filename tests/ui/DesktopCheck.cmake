# Run by ctest: installs the desktop component and validates the installed files.
foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} not found; scripts/setup installs it")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component desktop --prefix ${PREFIX}
                RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(desktop ${PREFIX}/share/applications/${APP_ID}.desktop)
set(metainfo ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml)
set(expected ${desktop} ${metainfo})
foreach(size 16 24 32 48 64 128)
  list(APPEND expected ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
if(rc OR out)
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${metainfo} RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(rc)
  message(FATAL_ERROR "appstreamcli validate: ${out}")
endif()

# The entry, the metainfo and the icons share one id.
file(READ ${desktop} entry)
file(READ ${metainfo} meta)
if(NOT entry MATCHES "\nIcon=${APP_ID}\n" OR NOT meta MATCHES "<id>${APP_ID}</id>"
   OR NOT meta MATCHES "desktop-id\">${APP_ID}.desktop<")
  message(FATAL_ERROR "the desktop entry, metainfo and icon do not share the id ${APP_ID}")
endif()
