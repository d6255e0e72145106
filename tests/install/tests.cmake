# The installed program: `cmake --install` into a prefix of the build tree,
# then the copy there started from its own paths, and the desktop file,
# AppStream metadata and manual page checked by the desktop's and groff's own
# tools (skipped when a tool is missing).
if(TARGET parlenko AND TARGET phonesim)
  set(prefix ${PROJECT_BINARY_DIR}/installed-test)
  add_test(NAME parlenko_install
           COMMAND sh -c "rm -rf '${prefix}' && '${CMAKE_COMMAND}' --install '${PROJECT_BINARY_DIR}' --prefix '${prefix}'")
  set_tests_properties(parlenko_install PROPERTIES FIXTURES_SETUP parlenko_installed
                       RESOURCE_LOCK parlenko_install_lists)
  # Uninstalling as the README says leaves nothing of an installation into a
  # prefix that was not there: neither a file nor a folder.
  set(scratch ${PROJECT_BINARY_DIR}/uninstall-test)
  add_test(NAME parlenko_uninstall_leaves_nothing
           COMMAND sh -c "rm -rf '${scratch}' && '${CMAKE_COMMAND}' --install '${PROJECT_BINARY_DIR}' --prefix '${scratch}' >/dev/null && cd '${PROJECT_BINARY_DIR}' && xargs -d '\\n' rm -f < install_manifest.txt && xargs -r -d '\\n' rmdir --ignore-fail-on-non-empty < install_folders.txt && if [ -e '${scratch}' ]; then find '${scratch}'; exit 1; fi")
  set_tests_properties(parlenko_uninstall_leaves_nothing PROPERTIES RESOURCE_LOCK parlenko_install_lists)
  add_test(NAME parlenko_installed_run
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/installed_run.py
                   ${prefix} ${PROJECT_VERSION} $<TARGET_FILE:phonesim> ${PROJECT_SOURCE_DIR}/tests/data/s45.state)
  set_tests_properties(parlenko_installed_run PROPERTIES
                       FIXTURES_REQUIRED parlenko_installed LABELS "program" TIMEOUT 120)

  # name, tool, its arguments before the file, the installed file
  function(parlenko_validate_installed name tool args file)
    find_program(tool_path ${tool} NO_CACHE)
    if(tool_path)
      add_test(NAME ${name} COMMAND ${tool_path} ${args} ${prefix}/${file})
      # Clean means no remark at all, not only no error.
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED parlenko_installed
                           FAIL_REGULAR_EXPRESSION "(^|\n)([EW]: |[^\n]*: (error|warning|hint): )")
    else()
      add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "${tool} is not installed")
      set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "is not installed")
    endif()
  endfunction()
  parlenko_validate_installed(parlenko_desktop_file_valid desktop-file-validate ""
                              share/applications/${PARLENKO_APP_ID}.desktop)
  parlenko_validate_installed(parlenko_metainfo_valid appstreamcli "validate;--no-net"
                              share/metainfo/${PARLENKO_APP_ID}.metainfo.xml)

  # The manual page: no groff warning, and man renders it.
  find_program(groff_path groff NO_CACHE)
  find_program(man_path man NO_CACHE)
  if(groff_path AND man_path)
    add_test(NAME parlenko_man_page_valid
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check_man_page.sh
                     ${prefix}/${CMAKE_INSTALL_MANDIR}/man1/parlenko.1)
    set_tests_properties(parlenko_man_page_valid PROPERTIES FIXTURES_REQUIRED parlenko_installed)
  else()
    add_test(NAME parlenko_man_page_valid COMMAND ${CMAKE_COMMAND} -E echo "groff or man is not installed")
    set_tests_properties(parlenko_man_page_valid PROPERTIES SKIP_REGULAR_EXPRESSION "is not installed")
  endif()
endif()
