# Compiles rejected_forms.cpp as it stands (must succeed), then with each
# ZV_REJECTED value (must fail with the expected diagnostic).
# -DCXX=compiler -DSOURCE=file -DINCLUDES=dir;dir
set(_includes)
foreach(_dir IN LISTS INCLUDES)
  list(APPEND _includes -I${_dir})
endforeach()
set(_base ${CXX} -std=c++20 -fsyntax-only ${_includes} ${SOURCE})

execute_process(COMMAND ${_base} -DZV_REJECTED=0 RESULT_VARIABLE _rc ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "the accepted form does not compile:\n${_err}")
endif()

set(_expected_1 "never references")
set(_expected_2 "does not fill its table")
set(_expected_3 "deleted")
foreach(_case 1 2 3)
  execute_process(COMMAND ${_base} -DZV_REJECTED=${_case} RESULT_VARIABLE _rc ERROR_VARIABLE _err)
  if(_rc EQUAL 0)
    message(FATAL_ERROR "rejected form ${_case} compiles")
  endif()
  if(NOT _err MATCHES "${_expected_${_case}}")
    message(FATAL_ERROR "rejected form ${_case} fails for another reason:\n${_err}")
  endif()
endforeach()
