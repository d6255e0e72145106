# Our PDU decoder against Gammu's (python3-gammu, seen only by Debian's own
# interpreter). pdu_dump prints our decoding; the script builds the corpus,
# compares field by field and skips (77) only when python3-gammu is missing.
# PARLENKO_PDU_CORPUS may name a file of further PDUs, one per line.
add_executable(pdu_dump ${CMAKE_CURRENT_LIST_DIR}/pdu_dump.cpp)
target_link_libraries(pdu_dump PRIVATE parlenko_engine)
add_test(NAME pdu_compare_with_gammu
         COMMAND sh -c "[ -x /usr/bin/python3 ] || { echo 'no /usr/bin/python3: skipped'; exit 77; }; exec /usr/bin/python3 \"$0\" \"$1\""
                 ${CMAKE_CURRENT_LIST_DIR}/compare_with_gammu.py $<TARGET_FILE:pdu_dump>)
set_tests_properties(pdu_compare_with_gammu PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
