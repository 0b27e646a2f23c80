# What every release file shares: the names, the version of project(), the maker, the description
# and the licence. The Debian package's settings follow in a file of their own.

set(CPACK_PACKAGE_NAME kelvaro)
set(CPACK_PACKAGE_VENDOR "The Kelvaro developers")
set(CPACK_PACKAGE_CONTACT "Kelvaro developers <developers@kelvaro.org>")
# The fourth part of the project version exists for Windows' version resources only.
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [[
Kelvaro computes the eight string lengths of one octave as exact fractions,
from a tonos, a mixture of tetrachord genera and a start point, or from one of
eight named kithara tunings. It shows the note names by position and by
function, the lengths in Arabic and in Greek alphabetic numerals, the steps in
cents, pitch names, frequencies and the intervals the strings form, in Greek
or English.

The strings play on the computer keyboard through an embedded General MIDI
synthesizer, every note tuned exactly. The command octave-table prints the
same readings as a table or as JSON, and writes an octave as a Scala scale and
keyboard mapping, an AnaMark tuning, CSV or a kanon to print.]])
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
# project()'s HOMEPAGE_URL is the licence's page, which the About box links to: no release file
# should give it as the program's home page.
set(CPACK_PACKAGE_HOMEPAGE_URL "")

# Installed directories get the usual mode whatever the umask of the machine that builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The Windows installer and zip are made by a script of their own (PackagingWindows.cmake), which
# CPack's NSIS template cannot do: it installs for all users only.
if(NOT WIN32)
  include(PackagingDeb)
  include(CPack)
endif()
