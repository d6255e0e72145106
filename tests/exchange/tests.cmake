# The export files read by readers nobody here wrote: Python's csv module and
# xml.etree, and python3-vobject (seen only by Debian's own interpreter).
# Skipped (77) only when /usr/bin/python3, or for the vCards vobject, is missing.
add_executable(export_files ${CMAKE_CURRENT_LIST_DIR}/tool/export_files.cpp)
target_link_libraries(export_files PRIVATE parlenko_exchange_formats)
foreach(check vobject csv)
  add_test(NAME exports_read_by_${check}
           COMMAND sh -c "[ -x /usr/bin/python3 ] || { echo 'no /usr/bin/python3: skipped'; exit 77; }; exec /usr/bin/python3 \"$0\" \"$1\""
                   ${CMAKE_CURRENT_LIST_DIR}/read_by_${check}.py $<TARGET_FILE:export_files>)
  set_tests_properties(exports_read_by_${check} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
endforeach()
