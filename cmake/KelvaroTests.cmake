# GoogleTest suites. A native build lists each test case with ctest; a Windows build runs each
# test program as one ctest test under wine (CMAKE_CROSSCOMPILING_EMULATOR), in the private
# session that the fixture "wine" starts, so that listing the cases never needs wine at build time.
include(GoogleTest)

function(kelvaro_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME windows.${target} COMMAND ${target} --gtest_color=no)
    set_tests_properties(windows.${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES ${ARGN})
  endif()
endfunction()
