# Turns a text list, and optionally a picture list, into a module's resource
# table: on POSIX a C++ table served through zv_module_resource_table (see
# platform/module_resources.h), on Windows a resource script with a
# STRINGTABLE (resource language 1033) and the pictures.
#
# Text lines:  <id> TAB <base-language text> TAB <English text>
# The base text is stored at <id>, the English text at <id> + 50000. Empty
# lines and lines starting with '#' are skipped. The texts are written once, in
# the input; the table is rebuilt whenever it changes. Pictures are drawn as
# text, see picture_bytes.cmake.
#
#   zv_string_table(<target> <input> <output.cpp> [PICTURES <picture list>])
# adds the generated source to <target> (on Windows <output>.rc instead).
#
# Run as a script (cmake -P) with IN, OUT and optionally PICTURES set, it
# writes the table; an OUT ending in .rc gets the resource script.

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

set(_ZV_STRING_TABLE_SCRIPT ${CMAKE_CURRENT_LIST_FILE})
get_filename_component(_zv_here ${CMAKE_CURRENT_LIST_FILE} DIRECTORY)
set(_ZV_PICTURE_SCRIPT ${_zv_here}/picture_bytes.cmake)
include(${_ZV_PICTURE_SCRIPT})
set(ZV_ENGLISH_OFFSET 50000)

function(zv_string_table target input output)
  cmake_parse_arguments(T "" "PICTURES" "" ${ARGN})
  if(WIN32)
    string(REGEX REPLACE "\\.cpp$" ".rc" output ${output})
  endif()
  set(pictures "")
  set(drawings "")
  if(T_PICTURES)
    set(pictures -DPICTURES=${T_PICTURES})
    _zv_picture_drawings(${T_PICTURES} drawings)
    # A new drawing in the list is a new dependency.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${T_PICTURES})
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DIN=${input} ${pictures} -DOUT=${output} -P ${_ZV_STRING_TABLE_SCRIPT}
    DEPENDS ${input} ${T_PICTURES} ${drawings} ${_ZV_STRING_TABLE_SCRIPT} ${_ZV_PICTURE_SCRIPT}
    COMMENT "Generating resource table from ${input} ${T_PICTURES}" VERBATIM)
  # The target may live in another folder: a named step makes the rule visible
  # to it.
  get_filename_component(stem ${output} NAME_WE)
  add_custom_target(${target}_${stem} DEPENDS ${output})
  add_dependencies(${target} ${target}_${stem})
  target_sources(${target} PRIVATE ${output})
endfunction()

# Escapes a text for a u"..." literal.
function(_zv_cxx_literal text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Escapes a text for a "..." string of a resource script. The script says it
# is UTF-8 (code_page 65001), and windres turns narrow strings into UTF-16
# by that code page; it would take the bytes of an L"..." string one by one.
function(_zv_rc_literal text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\"\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(_zv_entry id text out)
  if(_zv_rc)
    _zv_rc_literal("${text}" lit)
    set(${out} "  ${id}, \"${lit}\"\n" PARENT_SCOPE)
  else()
    _zv_cxx_literal("${text}" lit)
    set(${out} "    {${id}, std::size(u\"${lit}\") - 1, u\"${lit}\"},\n" PARENT_SCOPE)
  endif()
endfunction()

# "std::size(array), array", or "0, nullptr" for a list without entries (C++
# has no empty arrays).
function(_zv_cxx_field array entries out)
  if(entries STREQUAL "")
    set(${out} "0, nullptr" PARENT_SCOPE)
  else()
    set(${out} "std::size(${array}), ${array}" PARENT_SCOPE)
  endif()
endfunction()

function(_zv_cxx_array type array entries out)
  if(entries STREQUAL "")
    set(${out} "" PARENT_SCOPE)
  else()
    set(${out} "constexpr ${type} ${array}[] = {\n${entries}};\n\n" PARENT_SCOPE)
  endif()
endfunction()

# A C++ byte array from a comma-separated byte list, 24 bytes a line.
function(_zv_cxx_bytes array bytes out)
  string(REPLACE "," ";" bytes "${bytes}")
  list(LENGTH bytes count)
  set(lines "")
  set(at 0)
  while(at LESS count)
    list(SUBLIST bytes ${at} 24 line)
    string(REPLACE ";" ", " line "${line}")
    string(APPEND lines "    ${line},\n")
    math(EXPR at "${at} + 24")
  endwhile()
  _zv_cxx_array("unsigned char" ${array} "${lines}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The picture arrays and the bitmap and icon lists of _zv_pictures.
function(_zv_cxx_pictures out_arrays out_bitmaps out_icons)
  set(arrays "")
  set(bitmaps "")
  set(icons "")
  set(n 0)
  foreach(picture IN LISTS _zv_pictures)
    string(REGEX MATCH "^([0-9]+),([a-z]+),(.*)$" matched "${picture}")
    set(id ${CMAKE_MATCH_1})
    set(kind ${CMAKE_MATCH_2})
    _zv_cxx_bytes(picture_${n} "${CMAKE_MATCH_3}" array)
    string(APPEND arrays "${array}")
    set(entry "    {${id}, std::size(picture_${n}), picture_${n}},\n")
    if(kind STREQUAL "bitmap")
      string(APPEND bitmaps "${entry}")
    else()
      string(APPEND icons "${entry}")
    endif()
    math(EXPR n "${n} + 1")
  endforeach()
  set(${out_arrays} "${arrays}" PARENT_SCOPE)
  set(${out_bitmaps} "${bitmaps}" PARENT_SCOPE)
  set(${out_icons} "${icons}" PARENT_SCOPE)
endfunction()

function(_zv_cxx_text name entries out)
  _zv_cxx_pictures(arrays bitmaps icons)
  _zv_cxx_array(zv_resource_string strings "${entries}" strings_array)
  _zv_cxx_array(zv_resource_picture bitmaps "${bitmaps}" bitmaps_array)
  _zv_cxx_array(zv_resource_picture icons "${icons}" icons_array)
  _zv_cxx_field(strings "${entries}" strings_field)
  _zv_cxx_field(bitmaps "${bitmaps}" bitmaps_field)
  _zv_cxx_field(icons "${icons}" icons_field)
  set(${out} "// Generated from ${name} at build time; edit that file, not this one.
#include \"platform/module_resources.h\"

#include <iterator>

namespace {

${strings_array}${arrays}${bitmaps_array}${icons_array}\
constexpr zv_resource_table table{${strings_field}, ${bitmaps_field}, ${icons_field}};

}  // namespace

extern \"C\" ZV_RESOURCE_TABLE_EXPORT const zv_resource_table* zv_module_resource_table(void) noexcept {
  return &table;
}
" PARENT_SCOPE)
endfunction()

# Raw resource data: little-endian 16-bit words of a byte list (a last odd
# byte padded with 0), eight words a line.
function(_zv_rc_words bytes out)
  list(LENGTH bytes count)
  math(EXPR odd "${count} % 2")
  if(odd)
    list(APPEND bytes 0)
  endif()
  list(LENGTH bytes count)
  set(text "BEGIN\n ")
  set(at 0)
  while(at LESS count)
    math(EXPR high_at "${at} + 1")
    list(GET bytes ${at} low)
    list(GET bytes ${high_at} high)
    math(EXPR word "${low} + 256 * ${high}" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR at "${at} + 2")
    math(EXPR column "${at} % 16")
    if(at EQUAL count)
      string(APPEND text " ${word}\n")
    elseif(column EQUAL 0)
      string(APPEND text " ${word},\n ")
    else()
      string(APPEND text " ${word},")
    endif()
  endwhile()
  set(${out} "${text}END\n" PARENT_SCOPE)
endfunction()

# The pictures as the resource compiler would store .bmp and .ico files: a
# bitmap (type 2) without its file header, an icon as its image (type 3) and
# a one-entry group (type 14) naming that image by the same id.
function(_zv_rc_pictures out)
  set(text "")
  foreach(picture IN LISTS _zv_pictures)
    string(REGEX MATCH "^([0-9]+),([a-z]+),(.*)$" matched "${picture}")
    set(id ${CMAKE_MATCH_1})
    set(kind ${CMAKE_MATCH_2})
    string(REPLACE "," ";" bytes "${CMAKE_MATCH_3}")
    if(kind STREQUAL "bitmap")
      list(SUBLIST bytes 14 -1 dib)
      _zv_rc_words("${dib}" words)
      string(APPEND text "\n${id} 2\n${words}")
    else()
      list(SUBLIST bytes 22 -1 image)
      list(SUBLIST bytes 0 6 group)
      list(SUBLIST bytes 6 12 entry)
      list(APPEND group ${entry})
      _zv_put16(group ${id})
      _zv_rc_words("${image}" image_words)
      _zv_rc_words("${group}" group_words)
      string(APPEND text "\n${id} 3\n${image_words}\n${id} 14\n${group_words}")
    endif()
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(_zv_rc_text name entries out)
  _zv_rc_pictures(pictures)
  set(${out} "// Generated from ${name} at build time; edit that file, not this one.
#pragma code_page(65001)
LANGUAGE 9, 1

STRINGTABLE
BEGIN
${entries}END
${pictures}" PARENT_SCOPE)
endfunction()

# The string table entries of a text list.
function(_zv_string_entries in out)
  file(READ ${in} content)
  # ';' separates CMake list items: carry it through the split as a marker.
  string(REPLACE ";" "@ZV_SEMI@" content "${content}")
  string(REPLACE "[" "@ZV_LB@" content "${content}")
  string(REPLACE "]" "@ZV_RB@" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(entries "")
  set(seen "")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([0-9]+)\t([^\t]*)\t([^\t]*)$")
      message(FATAL_ERROR "${in}:${number}: expected <id> TAB <text> TAB <English text>")
    endif()
    set(id ${CMAKE_MATCH_1})
    set(base "${CMAKE_MATCH_2}")
    set(english "${CMAKE_MATCH_3}")
    math(EXPR english_id "${id} + ${ZV_ENGLISH_OFFSET}")
    if(id IN_LIST seen OR english_id IN_LIST seen)
      message(FATAL_ERROR "${in}:${number}: identifier ${id} given twice")
    endif()
    list(APPEND seen ${id} ${english_id})
    _zv_entry(${id} "${base}" e1)
    _zv_entry(${english_id} "${english}" e2)
    string(APPEND entries "${e1}${e2}")
  endforeach()
  string(REPLACE "@ZV_SEMI@" ";" entries "${entries}")
  string(REPLACE "@ZV_LB@" "[" entries "${entries}")
  string(REPLACE "@ZV_RB@" "]" entries "${entries}")
  set(${out} "${entries}" PARENT_SCOPE)
endfunction()

function(_zv_write_table in pictures out)
  set(_zv_rc FALSE)
  if(out MATCHES "\\.rc$")
    set(_zv_rc TRUE)
  endif()
  _zv_string_entries(${in} entries)
  set(_zv_pictures "")
  if(pictures)
    _zv_read_pictures(${pictures})
  endif()
  get_filename_component(name ${in} NAME)
  if(_zv_rc)
    _zv_rc_text("${name}" "${entries}" text)
  else()
    _zv_cxx_text("${name}" "${entries}" text)
  endif()
  file(WRITE ${out}.tmp "${text}")
  file(COPY_FILE ${out}.tmp ${out} ONLY_IF_DIFFERENT)
  file(REMOVE ${out}.tmp)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED IN AND DEFINED OUT)
  _zv_write_table(${IN} "${PICTURES}" ${OUT})
endif()
