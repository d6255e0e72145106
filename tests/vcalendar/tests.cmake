# vCalendar files we build, read back by python3-vobject (seen only by
# Debian's own interpreter); skipped (77) only when it is missing.
add_executable(vcs_write ${CMAKE_CURRENT_LIST_DIR}/vcs_write.cpp)
target_link_libraries(vcs_write PRIVATE parlenko_engine)
add_test(NAME vcalendar_read_with_vobject
         COMMAND sh -c "[ -x /usr/bin/python3 ] || { echo 'no /usr/bin/python3: skipped'; exit 77; }; exec /usr/bin/python3 \"$0\" \"$1\""
                 ${CMAKE_CURRENT_LIST_DIR}/read_with_vobject.py $<TARGET_FILE:vcs_write>)
set_tests_properties(vcalendar_read_with_vobject PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
