# Fails when a file includes a header of a folder on a higher floor of its
# own part of the house: inside engine/ and ui/ the includes run one way,
# down. A folder may include its own headers and those of any lower floor.
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

set(bad "")
foreach(part engine ui)
  set(floors ${${part}_floors})
  file(GLOB_RECURSE files ${ROOT}/${part}/*.h ${ROOT}/${part}/*.cpp)
  foreach(f ${files})
    file(RELATIVE_PATH rel ${ROOT}/${part} ${f})
    string(REGEX REPLACE "/.*" "" from "${rel}")
    floor_of(${from} "${floors}" from_floor)
    if(from_floor STREQUAL "")
      list(APPEND bad "${f}: its folder has no floor (${part}/${from})")
      continue()
    endif()
    file(STRINGS ${f} lines REGEX "#[ \t]*include[ \t]*\"${part}/[a-z_]+/")
    foreach(line ${lines})
      string(REGEX REPLACE ".*\"${part}/([a-z_]+)/.*" "\\1" to "${line}")
      if(to STREQUAL from)
        continue()
      endif()
      floor_of(${to} "${floors}" to_floor)
      if(to_floor STREQUAL "" OR NOT to_floor LESS from_floor)
        list(APPEND bad "${f}: ${part}/${to}/ is not below ${part}/${from}/")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n" bad "${bad}")
  message(FATAL_ERROR "An include climbs (folders and floors in tests/check_floors.cmake):\n${bad}")
endif()
