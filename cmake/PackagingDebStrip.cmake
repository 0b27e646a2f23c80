# Run by CPack on the staged files before the package is made: as dh_strip does, the programs
# lose the compilers' notes (.comment, from Debian's start files as well), which nothing reads.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_OBJCOPY}" --remove-section=.comment --remove-section=.note
                          "${program}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
