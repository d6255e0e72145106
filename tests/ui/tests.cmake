# The window tests start the real program and read the pictures the build
# draws: build both first.
if(TARGET ui_tests AND TARGET parlenko)
  add_dependencies(ui_tests parlenko parlenko_images)
endif()

if(TARGET ui_tests)
  # What the window manager makes of the windows is read from the X server.
  find_path(PARLENKO_XCB_INCLUDE_DIR xcb/xcb.h)
  find_library(PARLENKO_XCB_LIBRARY xcb)
  if(PARLENKO_XCB_INCLUDE_DIR AND PARLENKO_XCB_LIBRARY)
    target_include_directories(ui_tests SYSTEM PRIVATE ${PARLENKO_XCB_INCLUDE_DIR})
    target_link_libraries(ui_tests PRIVATE ${PARLENKO_XCB_LIBRARY})
    target_compile_definitions(ui_tests PRIVATE PARLENKO_HAVE_XCB=1)
  endif()

  # The window tests under a window manager: Xvfb with openbox.
  find_program(PARLENKO_XVFB_RUN xvfb-run)
  find_program(PARLENKO_OPENBOX openbox)
  if(PARLENKO_XVFB_RUN AND PARLENKO_OPENBOX AND PARLENKO_XCB_LIBRARY)
    add_test(NAME ui_window_manager
             COMMAND ${PARLENKO_XVFB_RUN} -a -s "-screen 0 1024x768x24"
                     ${CMAKE_CURRENT_SOURCE_DIR}/ui/with_window_manager.sh
                     $<TARGET_FILE:ui_tests> --gtest_filter=WindowManager.*)
    set_tests_properties(ui_window_manager PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb"
                         LABELS "window-manager")
  endif()
endif()
