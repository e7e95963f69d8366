# ASan + UBSan for the whole build (ZV_SANITIZE=ON). Every finding aborts, so a
# sanitizer report fails the test that caused it.
macro(zv_enable_sanitizers)
  set(_zv_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_zv_san})
  add_link_options(${_zv_san})
endmacro()
