# Warnings on and clean for our own targets.
function(lumeric_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
