# The MIDI model compared with python3-mido, an independent parser, on files
# mido writes, real-world files (scripts/test-data) and $PARLENKO_MIDI_CORPUS.
add_executable(midi_dump ${CMAKE_CURRENT_LIST_DIR}/midi_dump.cpp)
target_link_libraries(midi_dump PRIVATE parlenko_midi)
set(PARLENKO_TEST_DATA_DIR "${PROJECT_SOURCE_DIR}/build/test-data" CACHE PATH
    "Folder that scripts/test-data fills with real-world test files")
add_test(NAME midi_compare_with_mido
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/compare_with_mido.py
                 --dump $<TARGET_FILE:midi_dump>
                 --work ${CMAKE_CURRENT_BINARY_DIR}/midi_compare
                 --real ${PARLENKO_TEST_DATA_DIR}/midi)
set_tests_properties(midi_compare_with_mido PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
