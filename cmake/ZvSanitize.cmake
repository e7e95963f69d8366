# ASan + UBSan for the whole build (ZV_SANITIZE=ON). Every finding aborts, so a
# sanitizer report fails the test that caused it.
macro(zv_enable_sanitizers)
  set(_zv_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_zv_san})
  add_link_options(${_zv_san})
endmacro()

# Coverage feedback for the fuzzers (ZV_FUZZ=ON, clang): every library is
# instrumented, only the fuzz executables link libFuzzer itself.
macro(zv_enable_fuzz_coverage)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZV_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endmacro()

# Shared libraries resolve every symbol at link time, so a missing host
# function is a build error rather than a load failure. Not where the
# sanitizer or coverage runtime lives in the executable (clang's sanitizers,
# the fuzz build): there the libraries resolve those symbols when loaded.
function(zv_no_undefined_symbols target)
  if(WIN32 OR ZV_FUZZ OR (ZV_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang"))
    return()
  endif()
  target_link_options(${target} PRIVATE -Wl,-z,defs)
endfunction()
