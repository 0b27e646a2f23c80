# Run by the windows_release target (PackagingWindows.cmake): stages FILES (a list parted by "|")
# in WORK, then writes the installer SETUP with makensis and the zip ZIPFILE.
#
# Both come out byte for byte the same from every build of one commit: every file's time is the
# last commit's (SOURCE_DATE_EPOCH when set), its mode 644 whatever the umask, the zip's entries
# sorted, with no extra attributes (owner, Unix times) and their DOS times in UTC, and the programs
# linked without a time stamp (cmake/windows-qt.cmake).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${SOURCE} log -1 --format=%ct OUTPUT_VARIABLE epoch
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "No SOURCE_DATE_EPOCH and no git history in ${SOURCE} to take it from")
  endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH '${epoch}' is not a number of seconds")
endif()

set(stage ${WORK}/stage)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${stage})
string(REPLACE "|" ";" files "${FILES}")
set(names)
foreach(file ${files})
  get_filename_component(name ${file} NAME)
  file(COPY_FILE ${file} ${stage}/${name})
  file(CHMOD ${stage}/${name} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  list(APPEND names ${name})
endforeach()
list(SORT names)
execute_process(COMMAND touch --no-dereference --date=@${epoch} ${names} WORKING_DIRECTORY ${stage}
                COMMAND_ERROR_IS_FATAL ANY)

# The installer installs and its uninstaller deletes the same files, one line each.
set(install "!macro InstallFiles\n")
set(uninstall "!macro UninstallFiles\n")
foreach(name ${names})
  string(APPEND install "  File \"${stage}/${name}\"\n")
  string(APPEND uninstall "  Delete \"$INSTDIR\\${name}\"\n")
endforeach()
file(WRITE ${WORK}/files.nsh "${install}!macroend\n${uninstall}!macroend\n")

# Only this version's files are left in the folder, and zip would update an old archive in place.
get_filename_component(folder ${SETUP} DIRECTORY)
file(GLOB old ${folder}/Kelvaro-*-win64*)
file(REMOVE ${old} ${SETUP} ${ZIPFILE})
file(MAKE_DIRECTORY ${folder})
execute_process(
  COMMAND ${MAKENSIS} -NOCONFIG -V2 -DVERSION=${VERSION} "-DPUBLISHER=${PUBLISHER}" -DICON=${ICON}
          -DSTAGE=${stage} -DFILES=${WORK}/files.nsh -DOUTFILE=${SETUP} ${NSI}
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -D -9 ${ZIPFILE} ${names}
                WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
