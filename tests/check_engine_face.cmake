# Fails when a window (ui/) or the program block (app/) includes a header of
# the engine's inside. They see only the engine's face: PhoneEngine, the host
# every page shares, the pages' views and the value types these carry, and
# the time seam the windows' scheduler implements, and the pure text routines
# the windows check typed text and show dates with. The program block also
# builds the serial port the engine talks through. Of the contacts and calendar
# store they see the object layer and its settings, never the vdir, vCard or
# iCalendar code beneath.
cmake_minimum_required(VERSION 3.25)

set(face
  engine/session/phone_engine.h
  engine/core/host.h
  engine/core/scheduler.h
  engine/core/progress_window.h
  engine/core/modes.h
  engine/phone/phone_memory.h
  engine/phone/records.h
  engine/general/general_view.h
  engine/services/services_view.h
  engine/melodies/melodies_view.h
  engine/phonebook/phonebook_view.h
  engine/phonebook/phonebook_views.h
  engine/phonebook/call_lists_view.h
  engine/phonebook/backup_view.h
  engine/calls/calls_view.h
  engine/sms/sms_view.h
  engine/sms/composed_sms.h
  engine/settings/settings_view.h
  engine/objects/objects_view.h
  engine/objects/logo_view.h
  engine/objects/appointment_row.h
  engine/text/vcalendar.h
  engine/text/next_occurrence.h
  engine/text/gsm_alphabet.h
  # The compose window counts what is typed, as the engine would.
  engine/text/sms_counts.h)
set(app_also engine/serial/serial_port_driver.h)
set(store_face exchange/store/outlook_store.h exchange/store/store_settings.h)

set(bad "")
foreach(folder ui app)
  set(allowed ${face})
  if(folder STREQUAL "app")
    list(APPEND allowed ${app_also})
  endif()
  file(GLOB_RECURSE files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "#[ \t]*include[ \t]*[<\"]([./]*/)?(engine|exchange/store)/")
    foreach(line ${lines})
      string(REGEX REPLACE ".*[<\"]([./]*/)?((engine|exchange/store)/[^>\"]*)[>\"].*" "\\2"
             header "${line}")
      if(NOT header IN_LIST allowed AND NOT header IN_LIST store_face)
        list(APPEND bad "${f}: ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n" bad "${bad}")
  message(FATAL_ERROR "An engine or store internal included by a window or the program "
                      "block (use PhoneEngine and the views, the store's object layer):\n${bad}")
endif()
