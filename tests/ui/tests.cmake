# The window tests start the real program and read the pictures the build
# draws: build both first.
if(TARGET ui_tests AND TARGET parlenko)
  add_dependencies(ui_tests parlenko parlenko_images)
endif()
