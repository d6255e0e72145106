# Fails when a file includes a header of a folder on a higher floor of its
# own part of the house: inside engine/ and ui/ the includes run one way,
# down. A folder may include its own headers and those of any lower floor,
# and of the rest of the house only what its part stands on.
#
# An include is judged by the file it names, however it is written: in
# quotes or angle brackets, from the source folder ("engine/core/x.h") or
# from the including file's folder ("../core/x.h", "x.h"), as the compiler
# finds it.
#
#   cmake -DROOT=<source folder> -P tests/check_floors.cmake
cmake_minimum_required(VERSION 3.25)

# engine/: the shared floors (core, then the plain routines, then the
# conversation with the phone), the topics (those that others read first),
# and the session on top: the face and the chains that span topics.
set(engine_floors
  core=1
  phone=2 parse=2 serial=2
  text=3
  pdu=4
  conversation=5
  phonebook=6 general=6 services=6
  calls=7 sms=7 settings=7 melodies=7
  objects=8
  session=9)
# Beneath the engine lie only the plain file formats.
set(engine_stands_on exchange/formats)

# ui/: the pictures drawn in code and the plain helpers (text, folders,
# options, time on the event loop), then the shared controls (labels,
# buttons, lists, the message box and the one error box, the small
# window's look), the small windows and dialogs, the pages, the exchange
# windows over the pages, and the main window on top with the engine's host.
# The image generator is a program of its own over the pictures.
set(ui_floors
  artwork=1 base=1
  controls=2 imagegen=2
  dialogs=3
  pages=4
  exchange=5
  main_window=6)
# Beneath the windows: the engine (its face, kept by check_engine_face.cmake),
# the file formats and the store, our widgets and the platform layer.
set(ui_stands_on engine exchange components platform)

# The folders at the top of the house: an include that starts with one of
# them names a file of ours; any other (<vector>, <QWidget>) is not ours.
set(house app bench components engine exchange platform tests ui)

# The floor of a folder in the list `floors`; "" when it has none.
function(floor_of folder floors result)
  set(found "")
  foreach(entry ${floors})
    if(entry MATCHES "^${folder}=([0-9]+)$")
      set(found ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

# The file an include line of `file` names, relative to ROOT ("" when it is
# not ours). A quoted name is looked for beside the including file first;
# every name is then taken from ROOT, the one include folder of the house.
function(included_file file line result)
  set(${result} "" PARENT_SCOPE)
  if(NOT line MATCHES "#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
    return()
  endif()
  set(form "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  get_filename_component(beside "${file}" DIRECTORY)
  set(path "")
  if(form STREQUAL "\"" AND (name MATCHES "^\\.\\.?/" OR EXISTS "${beside}/${name}"))
    cmake_path(ABSOLUTE_PATH name BASE_DIRECTORY "${beside}" NORMALIZE OUTPUT_VARIABLE path)
  else()
    string(REGEX REPLACE "/.*" "" top "${name}")
    if(top IN_LIST house OR name MATCHES "^\\.\\.?/")
      cmake_path(ABSOLUTE_PATH name BASE_DIRECTORY "${ROOT}" NORMALIZE OUTPUT_VARIABLE path)
    endif()
  endif()
  if(path STREQUAL "")
    return()
  endif()
  cmake_path(RELATIVE_PATH path BASE_DIRECTORY "${ROOT}")
  set(${result} "${path}" PARENT_SCOPE)
endfunction()

# Why `target` may not be included from folder `from` of `part` ("" when it may).
function(climb part from from_floor target result)
  set(${result} "" PARENT_SCOPE)
  if(target MATCHES "^${part}/([^/]+)/")
    set(to "${CMAKE_MATCH_1}")
    if(to STREQUAL from)
      return()
    endif()
    floor_of(${to} "${${part}_floors}" to_floor)
    if(to_floor STREQUAL "" OR NOT to_floor LESS from_floor)
      set(${result} "${part}/${to}/ is not below ${part}/${from}/" PARENT_SCOPE)
    endif()
    return()
  endif()
  foreach(below ${${part}_stands_on})
    if(target MATCHES "^${below}/")
      return()
    endif()
  endforeach()
  set(${result} "${target} is not beneath ${part}/" PARENT_SCOPE)
endfunction()

set(bad "")
foreach(part engine ui)
  file(GLOB_RECURSE files ${ROOT}/${part}/*.h ${ROOT}/${part}/*.cpp)
  foreach(f ${files})
    file(RELATIVE_PATH rel ${ROOT}/${part} ${f})
    string(REGEX REPLACE "/.*" "" from "${rel}")
    floor_of(${from} "${${part}_floors}" from_floor)
    if(from_floor STREQUAL "")
      list(APPEND bad "${f}: its folder has no floor (${part}/${from})")
      continue()
    endif()
    file(STRINGS ${f} lines REGEX "#[ \t]*include[ \t]*[<\"]")
    foreach(line ${lines})
      included_file(${f} "${line}" target)
      if(target STREQUAL "")
        continue()
      endif()
      climb(${part} ${from} ${from_floor} "${target}" why)
      if(NOT why STREQUAL "")
        list(APPEND bad "${f}: ${why}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n" bad "${bad}")
  message(FATAL_ERROR "An include climbs (folders and floors in tests/check_floors.cmake):\n${bad}")
endif()
