# Playing through the real menus, and the options with their settings file, under a virtual X
# server (skipped when xvfb-run is missing). Included by CMakeLists.txt beside this file.
add_test(NAME e2e.play
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/play_test.sh $<TARGET_FILE:quorvel> ${QUORVEL_RUN_DIR})
add_test(NAME e2e.options
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/options_test.sh $<TARGET_FILE:quorvel> ${QUORVEL_RUN_DIR})
set_tests_properties(e2e.play PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE LABELS gui)
set_tests_properties(e2e.options PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE LABELS gui)
