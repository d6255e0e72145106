# Run by `cmake --install` before it writes anything: writes RECORD, the
# folders of the installation that do not exist yet, deepest first, so that
# uninstalling can remove them once their files are gone (README). Folders an
# earlier installation recorded stay in the record while they exist.
#   ASSETS   the build tree's folder of the pictures (ParlenkoImages) and icons
#   RECORD   the list to write
#   BINDIR, DATADIR, MANDIR   where the installation puts its files
cmake_minimum_required(VERSION 3.25)

# The folders the installation writes into.
set(wanted ${BINDIR} ${MANDIR}/man1 ${DATADIR}/applications ${DATADIR}/metainfo
           ${DATADIR}/parlenko/ParlenkoImages ${DATADIR}/icons/hicolor)
foreach(tree ParlenkoImages=${DATADIR}/parlenko/ParlenkoImages icons/hicolor=${DATADIR}/icons/hicolor)
  string(REGEX REPLACE "=.*" "" from "${tree}")
  string(REGEX REPLACE "^[^=]*=" "" to "${tree}")
  file(GLOB_RECURSE inside LIST_DIRECTORIES true RELATIVE ${ASSETS}/${from} ${ASSETS}/${from}/*)
  foreach(sub ${inside})
    if(IS_DIRECTORY ${ASSETS}/${from}/${sub})
      list(APPEND wanted ${to}/${sub})
    endif()
  endforeach()
endforeach()

set(made "")
if(EXISTS ${RECORD})
  file(STRINGS ${RECORD} earlier)
  foreach(folder ${earlier})
    if(IS_DIRECTORY ${folder})
      list(APPEND made ${folder})
    endif()
  endforeach()
endif()
foreach(folder ${wanted})
  if(NOT IS_ABSOLUTE ${folder})
    set(folder ${CMAKE_INSTALL_PREFIX}/${folder})
  endif()
  set(folder $ENV{DESTDIR}${folder})
  # The folder and each of its parents that is not there yet.
  while(NOT IS_DIRECTORY ${folder})
    list(APPEND made ${folder})
    get_filename_component(folder ${folder} DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES made)
list(SORT made ORDER DESCENDING)
list(JOIN made "\n" text)
file(WRITE ${RECORD} "${text}")
if(made)
  file(APPEND ${RECORD} "\n")
endif()
