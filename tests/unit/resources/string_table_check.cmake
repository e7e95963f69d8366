# Checks the string table generator: run with -DGENERATOR=<string_table.cmake>
# -DWORK=<scratch folder>. Fails (FATAL_ERROR) on the first wrong output.
cmake_minimum_required(VERSION 3.25)
include(${GENERATOR})

file(MAKE_DIRECTORY ${WORK})

function(expect_contains file needle)
  file(READ ${file} content)
  string(FIND "${content}" "${needle}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} lacks: ${needle}\n--- content ---\n${content}")
  endif()
endfunction()

# Runs the generator as the build does; `expect` is 0 (success) or 1 (refused).
function(expect_generation input output expect)
  execute_process(COMMAND ${CMAKE_COMMAND} -DIN=${input} -DOUT=${output} -P ${GENERATOR}
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
  if(expect EQUAL 0 AND NOT result EQUAL 0)
    message(FATAL_ERROR "generation of ${input} failed: ${errors}")
  elseif(NOT expect EQUAL 0 AND result EQUAL 0)
    message(FATAL_ERROR "generation of ${input} should have been refused")
  endif()
endfunction()

# Texts with the characters that list splitting and literals are sensitive to.
set(input ${WORK}/tricky.txt)
file(WRITE ${input} "# comment\n\n7\tа;б [x] \"q\" \\\\ |*.shp\tsemi;colon\r\n8\t\tempty base\n")
expect_generation(${input} ${WORK}/tricky.cpp 0)
expect_contains(${WORK}/tricky.cpp "{7, std::size(u\"а;б [x] \\\"q\\\" \\\\\\\\ |*.shp\") - 1,")
expect_contains(${WORK}/tricky.cpp "{50007, std::size(u\"semi;colon\") - 1, u\"semi;colon\"}")
expect_contains(${WORK}/tricky.cpp "{8, std::size(u\"\") - 1, u\"\"}")

expect_generation(${input} ${WORK}/tricky.rc 0)
expect_contains(${WORK}/tricky.rc "LANGUAGE 9, 1")
expect_contains(${WORK}/tricky.rc "  7, \"а;б [x] \"\"q\"\" \\\\\\\\ |*.shp\"\n")

# Mistakes in the list stop the build: an identifier given twice (here as
# another's English identifier) and a line without its two texts.
file(WRITE ${WORK}/clash.txt "5\ta\tb\n50005\tc\td\n")
expect_generation(${WORK}/clash.txt ${WORK}/clash.cpp 1)
file(WRITE ${WORK}/short.txt "5\tonly one text\n")
expect_generation(${WORK}/short.txt ${WORK}/short.cpp 1)
if(EXISTS ${WORK}/clash.cpp OR EXISTS ${WORK}/clash.cpp.tmp)
  message(FATAL_ERROR "a refused list left a table behind")
endif()
