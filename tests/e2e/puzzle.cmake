# A puzzle solved through the real menu under a virtual X server (skipped when xvfb-run is
# missing). Included by CMakeLists.txt beside this file.
add_test(NAME e2e.puzzle
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/puzzle_test.sh $<TARGET_FILE:quorvel> ${QUORVEL_RUN_DIR})
set_tests_properties(e2e.puzzle PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE LABELS gui)
