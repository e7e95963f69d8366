# Checks the resource table generator: run with
# -DGENERATOR=<string_table.cmake> -DWORK=<scratch folder>. Fails
# (FATAL_ERROR) on the first wrong output.
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

# Runs the generator as the build does; `expect` is 0 (success) or 1
# (refused). A fourth argument names a picture list.
function(expect_generation input output expect)
  set(pictures "")
  if(ARGC GREATER 3)
    set(pictures -DPICTURES=${ARGV3})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DIN=${input} ${pictures} -DOUT=${output} -P ${GENERATOR}
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

# Pictures: a bitmap of two pixels (one row, padded to eight bytes) and a
# 2 x 2 icon with one transparent pixel.
file(WRITE ${WORK}/two.txt "# red, then blue\nr = FF0000\nb = 0000ff\n\nrb\n")
file(WRITE ${WORK}/corner.txt "- = none\nk = 000000\n-k\nkk\n")
file(WRITE ${WORK}/pictures.txt "# comment\n3\tbitmap\ttwo.txt\n4\ticon\tcorner.txt\n")
expect_generation(${input} ${WORK}/pictures.cpp 0 ${WORK}/pictures.txt)
# File header (62 bytes, pixels at 54), a 2 x 1 header, then red and blue.
expect_contains(${WORK}/pictures.cpp "66, 77, 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0,\n")
expect_contains(${WORK}/pictures.cpp "    0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0,\n};")
# The icon's mask rows, bottom row first: nothing, then the left pixel.
expect_contains(${WORK}/pictures.cpp "0, 0, 0, 0, 128, 0, 0, 0,\n};")
expect_contains(${WORK}/pictures.cpp "{3, std::size(picture_0), picture_0},")
expect_contains(${WORK}/pictures.cpp "{4, std::size(picture_1), picture_1},")
expect_contains(${WORK}/pictures.cpp "table{std::size(strings), strings, std::size(bitmaps), bitmaps, std::size(icons), icons}")
expect_generation(${input} ${WORK}/pictures.rc 0 ${WORK}/pictures.txt)
expect_contains(${WORK}/pictures.rc "\n3 2\nBEGIN\n  0x28, 0x0, 0x2, 0x0,")
expect_contains(${WORK}/pictures.rc "\n4 14\nBEGIN\n  0x0, 0x1, 0x1, 0x202, 0x0, 0x1, 0x18, 0x40,\n  0x0, 0x4\nEND")

# Drawings that cannot be pictures stop the build.
set(refused
  "bitmap\tragged.txt|r = FF0000\nrr\nr\n"
  "bitmap\tunknown.txt|r = FF0000\nrx\n"
  "bitmap\tclear.txt|- = none\n--\n"
  "icon\twide.txt|r = FF0000\nrr\n"
  "icon\tempty.txt|r = FF0000\n"
  "picture\tkind.txt|r = FF0000\nr\n")
foreach(case IN LISTS refused)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 entry)
  list(GET parts 1 drawing)
  string(REGEX REPLACE ".*\t" "" name "${entry}")
  file(WRITE ${WORK}/${name} "${drawing}")
  file(WRITE ${WORK}/refused.txt "5\t${entry}\n")
  expect_generation(${input} ${WORK}/refused.cpp 1 ${WORK}/refused.txt)
endforeach()
