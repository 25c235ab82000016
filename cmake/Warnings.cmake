# lumetta_warnings(target): our own code builds with full warnings, and as
# errors when LUMETTA_WERROR is on (CI). Third-party code is not touched.
function(lumetta_warnings target)
  if(MSVC)
    # Sources are UTF-8 (tests spell texts of other scripts as they read).
    target_compile_options(${target} PRIVATE /W4 /utf-8)
    if(LUMETTA_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(LUMETTA_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
