# Gammu, an AT client nobody here wrote, reads the simulated phone through its
# pseudo-terminal. Skipped (exit 77) only when gammu is not installed.
if(TARGET phonesim)
  add_test(NAME phonesim_gammu_acceptance
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/gammu_acceptance.py
                   $<TARGET_FILE:phonesim> ${PROJECT_SOURCE_DIR}/tests/data/s45.state)
  set_tests_properties(phonesim_gammu_acceptance PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()

# The program itself: link, answers through the pseudo-terminal, the command
# log, SIGINT, a refused state file.
if(TARGET phonesim)
  add_test(NAME phonesim_program
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/program_check.py $<TARGET_FILE:phonesim>)
  set_tests_properties(phonesim_program PROPERTIES TIMEOUT 120)
endif()
