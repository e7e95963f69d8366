# Warnings are errors in the project's own code. Call on every target we write;
# third-party code (GoogleTest, shapelib, PROJ) is not affected.
function(zv_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
      -Wshadow -Wcast-align -Wundef -Wno-missing-field-initializers
      $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>)
  endif()
endfunction()
