# Turns a text list into the module's string resources: on POSIX a C++ table
# served through zv_module_resource_table (see platform/module_resources.h),
# on Windows a resource script with a STRINGTABLE (resource language 1033).
#
# Input lines:  <id> TAB <base-language text> TAB <English text>
# The base text is stored at <id>, the English text at <id> + 50000. Empty
# lines and lines starting with '#' are skipped. The texts are written once, in
# the input; the table is rebuilt whenever it changes.
#
#   zv_string_table(<target> <input> <output.cpp>)
# adds the generated source to <target> (on Windows <output>.rc instead).
#
# Run as a script (cmake -P) with IN and OUT set, it writes the table; an OUT
# ending in .rc gets the resource script.

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

set(_ZV_STRING_TABLE_SCRIPT ${CMAKE_CURRENT_LIST_FILE})
set(ZV_ENGLISH_OFFSET 50000)

function(zv_string_table target input output)
  if(WIN32)
    string(REGEX REPLACE "\\.cpp$" ".rc" output ${output})
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DIN=${input} -DOUT=${output} -P ${_ZV_STRING_TABLE_SCRIPT}
    DEPENDS ${input} ${_ZV_STRING_TABLE_SCRIPT}
    COMMENT "Generating string table from ${input}" VERBATIM)
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

function(_zv_cxx_text name entries out)
  set(${out} "// Generated from ${name} at build time; edit that file, not this one.
#include \"platform/module_resources.h\"

#include <iterator>

namespace {

constexpr zv_resource_string strings[] = {
${entries}};

constexpr zv_resource_table table{std::size(strings), strings, 0, nullptr};

}  // namespace

extern \"C\" ZV_RESOURCE_TABLE_EXPORT const zv_resource_table* zv_module_resource_table(void) noexcept {
  return &table;
}
" PARENT_SCOPE)
endfunction()

function(_zv_rc_text name entries out)
  set(${out} "// Generated from ${name} at build time; edit that file, not this one.
#pragma code_page(65001)
LANGUAGE 9, 1

STRINGTABLE
BEGIN
${entries}END
" PARENT_SCOPE)
endfunction()

function(_zv_write_table in out)
  set(_zv_rc FALSE)
  if(out MATCHES "\\.rc$")
    set(_zv_rc TRUE)
  endif()
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
  _zv_write_table(${IN} ${OUT})
endif()
