# Every C++ source of the project is formatted with the repository's .clang-format.
file(GLOB_RECURSE Sources LIST_DIRECTORIES false
     "${SOURCE}/model/*.cpp" "${SOURCE}/model/*.h" "${SOURCE}/formats/*.cpp" "${SOURCE}/formats/*.h"
     "${SOURCE}/sound/*.cpp" "${SOURCE}/sound/*.h"
     "${SOURCE}/ui/*.cpp" "${SOURCE}/ui/*.h" "${SOURCE}/tools/*.cpp" "${SOURCE}/tools/*.h"
     "${SOURCE}/tests/*.cpp" "${SOURCE}/tests/*.h" "${SOURCE}/bench/*.cpp" "${SOURCE}/bench/*.h")
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run -Werror ${Sources}
                WORKING_DIRECTORY "${SOURCE}" RESULT_VARIABLE rc)
if(rc)
  message(FATAL_ERROR "some sources differ from .clang-format: run clang-format -i on them")
endif()
