# The real program against the simulated phone over a pseudo-terminal: the
# automatic connect and its command chains, SIGTERM closing through the close
# query, a missing phone, a signal during a phonebook read (on Xvfb, the keys
# pressed with xdotool). Needs the windows (not built with the UI off); the
# program reads the pictures that parlenko_images draws beside it.
if(TARGET parlenko AND TARGET phonesim)
  add_test(NAME parlenko_program_run
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/program_run.py
                   $<TARGET_FILE:parlenko> $<TARGET_FILE:phonesim> ${PROJECT_SOURCE_DIR}/tests/data/s45.state)
  set_tests_properties(parlenko_program_run PROPERTIES LABELS "program" TIMEOUT 120)
endif()

# The same against a phone that misbehaves (phonesim --faults) and damaged
# data files.
if(TARGET parlenko AND TARGET phonesim)
  add_test(NAME parlenko_faults_run
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/faults_run.py
                   $<TARGET_FILE:parlenko> $<TARGET_FILE:phonesim> ${PROJECT_SOURCE_DIR}/tests/data/s45.state)
  set_tests_properties(parlenko_faults_run PROPERTIES LABELS "program" TIMEOUT 180)
endif()

# The operations a user starts (on Xvfb, with xdotool) against a phone that
# dies in the middle or slips its own lines into an answer.
if(TARGET parlenko AND TARGET phonesim)
  add_test(NAME parlenko_operations_run
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/operations_run.py
                   $<TARGET_FILE:parlenko> $<TARGET_FILE:phonesim> ${PROJECT_SOURCE_DIR}/tests/data/s45.state)
  set_tests_properties(parlenko_operations_run PROPERTIES LABELS "program" TIMEOUT 180)
endif()

# scripts/demo on this tree: what the user saved in its data folder stays.
if(TARGET parlenko AND TARGET phonesim)
  add_test(NAME parlenko_demo_keeps_saved_files
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/demo_run.py ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
  set_tests_properties(parlenko_demo_keeps_saved_files PROPERTIES LABELS "program" TIMEOUT 180)
endif()
