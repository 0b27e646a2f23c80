# Warnings for the project's own targets only; third-party headers stay quiet.
function(kelvaro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wno-sign-conversion)
endfunction()
