# Programs nobody here wrote read what the store writes, and the store reads
# what they write: khard (vCard), khal and python3-icalendar (iCalendar).
# Each check is skipped (exit 77) only when its program is not installed.
add_executable(store_tool ${CMAKE_CURRENT_LIST_DIR}/tool/store_tool.cpp)
target_link_libraries(store_tool PRIVATE parlenko_exchange_store)
foreach(check khard khal)
  add_test(NAME store_${check}_check
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/${check}_check.py $<TARGET_FILE:store_tool>)
  set_tests_properties(store_${check}_check PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120
                       ENVIRONMENT "TZ=Europe/Zagreb")
endforeach()
