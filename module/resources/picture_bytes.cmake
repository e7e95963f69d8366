# Turns drawings into the bytes of .bmp and .ico files, for the resource
# tables that string_table.cmake writes.
#
# Picture list lines:  <id> TAB bitmap|icon TAB <drawing file>
# (the drawing's path relative to the list; '#' lines and empty lines skipped).
#
# A drawing is a text file: colour lines "<character> = RRGGBB" (or "= none",
# transparent, for icons), then the rows of the picture, top row first, one
# character a pixel. '#' lines and empty lines are skipped; a drawing
# character may be anything but a space, '#', ';', '[', ']' or '\'.
#
# A bitmap becomes a 24-bit .bmp file; an icon (square, at most 256 pixels
# wide) a one-image .ico file with a 24-bit image and its transparency mask.
# Byte lists are CMake lists of decimal numbers.

# Appends a 16- or 32-bit little-endian number to the list `var`.
macro(_zv_put16 var value)
  math(EXPR _zv_lo "(${value}) & 255")
  math(EXPR _zv_hi "((${value}) >> 8) & 255")
  list(APPEND ${var} ${_zv_lo} ${_zv_hi})
endmacro()

macro(_zv_put32 var value)
  math(EXPR _zv_v32 "${value}")
  _zv_put16(${var} "${_zv_v32} & 65535")
  _zv_put16(${var} "(${_zv_v32} >> 16) & 65535")
endmacro()

# Reads a drawing into _zv_width, _zv_height and _zv_pixels (RRGGBB or none
# per pixel, top row first) in the caller's scope.
function(_zv_read_drawing file)
  file(READ ${file} content)
  if(content MATCHES "[;\\[\\]\\\\]")
    message(FATAL_ERROR "${file}: ';', '[', ']' and '\\' cannot be drawn with")
  endif()
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(hexdigit "[0-9A-Fa-f]")
  set(pixels "")
  set(width "")
  set(height 0)
  foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    elseif(line MATCHES "^([^ ]) = (${hexdigit}${hexdigit}${hexdigit}${hexdigit}${hexdigit}${hexdigit}|none)$")
      string(HEX "${CMAKE_MATCH_1}" code)
      set(colour_${code} ${CMAKE_MATCH_2})
      continue()
    endif()
    string(LENGTH "${line}" length)
    if(width STREQUAL "")
      set(width ${length})
    elseif(NOT length EQUAL width)
      message(FATAL_ERROR "${file}: row ${height} is ${length} pixels wide, the first row ${width}")
    endif()
    math(EXPR last "${length} - 1")
    foreach(x RANGE ${last})
      string(SUBSTRING "${line}" ${x} 1 character)
      string(HEX "${character}" code)
      if(NOT DEFINED colour_${code})
        message(FATAL_ERROR "${file}: row ${height} draws with '${character}', which has no colour")
      endif()
      list(APPEND pixels ${colour_${code}})
    endforeach()
    math(EXPR height "${height} + 1")
  endforeach()
  if(height EQUAL 0)
    message(FATAL_ERROR "${file}: the drawing has no rows")
  endif()
  set(_zv_width ${width} PARENT_SCOPE)
  set(_zv_height ${height} PARENT_SCOPE)
  set(_zv_pixels "${pixels}" PARENT_SCOPE)
endfunction()

# Appends the rows of the drawing, bottom row first, at 24 bits a pixel (a
# transparent pixel black), each row padded to four bytes.
function(_zv_put_colour_rows var)
  set(bytes ${${var}})
  math(EXPR pad "(4 - (${_zv_width} * 3) % 4) % 4")
  math(EXPR last_x "${_zv_width} - 1")
  math(EXPR y "${_zv_height} - 1")
  while(y GREATER_EQUAL 0)
    foreach(x RANGE ${last_x})
      math(EXPR at "${y} * ${_zv_width} + ${x}")
      list(GET _zv_pixels ${at} colour)
      if(colour STREQUAL "none")
        set(colour 000000)
      endif()
      string(SUBSTRING ${colour} 0 2 red)
      string(SUBSTRING ${colour} 2 2 green)
      string(SUBSTRING ${colour} 4 2 blue)
      math(EXPR blue "0x${blue}")
      math(EXPR green "0x${green}")
      math(EXPR red "0x${red}")
      list(APPEND bytes ${blue} ${green} ${red})
    endforeach()
    if(pad GREATER 0)
      foreach(i RANGE 1 ${pad})
        list(APPEND bytes 0)
      endforeach()
    endif()
    math(EXPR y "${y} - 1")
  endwhile()
  set(${var} "${bytes}" PARENT_SCOPE)
endfunction()

# Appends the transparency mask, bottom row first, one bit a pixel (set where
# transparent, the leftmost pixel in the highest bit), rows padded to four bytes.
function(_zv_put_mask_rows var)
  set(bytes ${${var}})
  math(EXPR row_bytes "(${_zv_width} + 31) / 32 * 4")
  math(EXPR last_byte "${row_bytes} - 1")
  math(EXPR y "${_zv_height} - 1")
  while(y GREATER_EQUAL 0)
    foreach(b RANGE ${last_byte})
      set(value 0)
      foreach(bit RANGE 7)
        math(EXPR x "${b} * 8 + ${bit}")
        if(x LESS _zv_width)
          math(EXPR at "${y} * ${_zv_width} + ${x}")
          list(GET _zv_pixels ${at} colour)
          if(colour STREQUAL "none")
            math(EXPR value "${value} | (128 >> ${bit})")
          endif()
        endif()
      endforeach()
      list(APPEND bytes ${value})
    endforeach()
    math(EXPR y "${y} - 1")
  endwhile()
  set(${var} "${bytes}" PARENT_SCOPE)
endfunction()

# The 40-byte information header of an uncompressed 24-bit bitmap.
macro(_zv_put_info_header var width height image_size)
  _zv_put32(${var} 40)
  _zv_put32(${var} ${width})
  _zv_put32(${var} ${height})
  _zv_put16(${var} 1)  # planes
  _zv_put16(${var} 24) # bits per pixel
  _zv_put32(${var} 0)  # uncompressed
  _zv_put32(${var} ${image_size})
  _zv_put32(${var} 2835) # 72 dots per inch, as dots per metre
  _zv_put32(${var} 2835)
  _zv_put32(${var} 0) # colours used
  _zv_put32(${var} 0) # colours important
endmacro()

# The .bmp file of the drawing just read.
function(_zv_bmp_bytes out file)
  list(FIND _zv_pixels none transparent)
  if(NOT transparent EQUAL -1)
    message(FATAL_ERROR "${file}: a bitmap has no transparent pixels")
  endif()
  set(rows "")
  _zv_put_colour_rows(rows)
  list(LENGTH rows image_size)
  set(bytes 66 77) # "BM"
  _zv_put32(bytes "54 + ${image_size}")
  _zv_put32(bytes 0)
  _zv_put32(bytes 54) # offset of the pixels
  _zv_put_info_header(bytes ${_zv_width} ${_zv_height} ${image_size})
  list(APPEND bytes ${rows})
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# The .ico file of the drawing just read: one image, 24-bit colour with its mask.
function(_zv_ico_bytes out file)
  if(NOT _zv_width EQUAL _zv_height OR _zv_width GREATER 256)
    message(FATAL_ERROR "${file}: an icon is square and at most 256 pixels wide")
  endif()
  set(image "")
  _zv_put_colour_rows(image)
  _zv_put_mask_rows(image)
  list(LENGTH image image_size)
  set(bytes 0 0 1 0 1 0) # reserved, type icon, one image
  math(EXPR size_byte "${_zv_width} % 256") # 0 stands for 256
  list(APPEND bytes ${size_byte} ${size_byte} 0 0)
  _zv_put16(bytes 1)  # planes
  _zv_put16(bytes 24) # bits per pixel
  _zv_put32(bytes "40 + ${image_size}")
  _zv_put32(bytes 22) # offset of the image
  math(EXPR double_height "2 * ${_zv_height}") # the image and its mask
  _zv_put_info_header(bytes ${_zv_width} ${double_height} ${image_size})
  list(APPEND bytes ${image})
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# Reads a picture list into _zv_pictures: one "<id>,<kind>,<bytes...>" entry
# per picture, bytes separated by commas, in the caller's scope.
function(_zv_read_pictures list_file)
  get_filename_component(folder ${list_file} DIRECTORY)
  file(STRINGS ${list_file} lines)
  set(pictures "")
  set(seen "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([0-9]+)\t(bitmap|icon)\t([^\t]+)$")
      message(FATAL_ERROR "${list_file}: expected <id> TAB bitmap|icon TAB <drawing>: ${line}")
    endif()
    set(id ${CMAKE_MATCH_1})
    set(kind ${CMAKE_MATCH_2})
    set(drawing ${folder}/${CMAKE_MATCH_3})
    if("${kind}${id}" IN_LIST seen)
      message(FATAL_ERROR "${list_file}: ${kind} ${id} given twice")
    endif()
    list(APPEND seen "${kind}${id}")
    _zv_read_drawing(${drawing})
    if(kind STREQUAL "bitmap")
      _zv_bmp_bytes(bytes ${drawing})
    else()
      _zv_ico_bytes(bytes ${drawing})
    endif()
    string(REPLACE ";" "," bytes "${bytes}")
    list(APPEND pictures "${id},${kind},${bytes}")
  endforeach()
  set(_zv_pictures "${pictures}" PARENT_SCOPE)
endfunction()

# The drawings a picture list names, for the build's dependencies.
function(_zv_picture_drawings list_file out)
  get_filename_component(folder ${list_file} DIRECTORY)
  file(STRINGS ${list_file} lines REGEX "^[0-9]+\t")
  set(files "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9]+\t[a-z]+\t([^\t]+)$")
      list(APPEND files ${folder}/${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out} "${files}" PARENT_SCOPE)
endfunction()
