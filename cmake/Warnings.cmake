# Warnings are errors in our own code; third-party headers come in as system includes.
function(r88_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wcast-align -Woverloaded-virtual -Wformat=2 -Werror)
endfunction()
