# The floor check (check_floors.cmake) on a small made-up house: it passes
# the house as built, and fails on each include that climbs, whatever way
# the include is written.
#
#   cmake -DCHECK=<check_floors.cmake> -DSCRATCH=<an empty folder> -P tests/check_floors_test.cmake
cmake_minimum_required(VERSION 3.25)

# The house: two engine floors, the file formats beneath them, and a plain
# header of the windows.
function(build_house root)
  file(REMOVE_RECURSE ${root})
  file(WRITE ${root}/engine/core/host.h "#pragma once\n")
  file(WRITE ${root}/engine/session/phone_engine.h "#pragma once\n#include \"engine/core/host.h\"\n")
  file(WRITE ${root}/engine/phonebook/cache.cpp
       "#include \"engine/core/host.h\"\n#include \"../core/host.h\"\n"
       "#include <engine/core/host.h>\n#include \"exchange/formats/phonebook_file.h\"\n"
       "#include <vector>\n")
  file(WRITE ${root}/exchange/formats/phonebook_file.h "#pragma once\n")
  file(WRITE ${root}/ui/base/text_codec.h "#pragma once\n")
  file(WRITE ${root}/ui/pages/page.cpp
       "#include \"ui/base/text_codec.h\"\n#include \"engine/session/phone_engine.h\"\n")
endfunction()

# Runs the check on the house; `expect` is "pass" or "fail".
function(check root expect what)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -P ${CHECK}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(expect STREQUAL "pass" AND NOT status EQUAL 0)
    message(SEND_ERROR "${what}: the check failed:\n${out}")
  elseif(expect STREQUAL "fail" AND status EQUAL 0)
    message(SEND_ERROR "${what}: the check passed")
  elseif(expect STREQUAL "fail" AND NOT out MATCHES "cache\\.cpp")
    message(SEND_ERROR "${what}: the check failed without naming the file:\n${out}")
  endif()
endfunction()

set(house ${SCRATCH}/house)
build_house(${house})
check(${house} pass "the house as built")

# Each line, added to a file of the phonebook topic, climbs.
set(climbs
  "#include \"engine/session/phone_engine.h\"|a path from the source folder"
  "#include <engine/session/phone_engine.h>|angle brackets"
  "#  include <engine/session/phone_engine.h>|angle brackets after a spaced #"
  "#include \"../session/phone_engine.h\"|a path from the file's folder"
  "#include \"../../engine/session/phone_engine.h\"|a path from the file's folder, up and down"
  "#include \"ui/base/text_codec.h\"|a plain header of the windows"
  "#include \"../../ui/base/text_codec.h\"|a plain header of the windows, from the file's folder")
foreach(climb ${climbs})
  string(REPLACE "|" ";" parts "${climb}")
  list(GET parts 0 line)
  list(GET parts 1 what)
  build_house(${house})
  file(APPEND ${house}/engine/phonebook/cache.cpp "${line}\n")
  check(${house} fail "${what}")
endforeach()
file(REMOVE_RECURSE ${house})
