# The computer's levels and the hint through the real menus under a virtual X server (skipped
# when xvfb-run is missing). The hint's blink is watched with quorvel_xwatch when it is built.
add_test(NAME e2e.level
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/level_test.sh $<TARGET_FILE:quorvel> ${QUORVEL_RUN_DIR}
          $<$<TARGET_EXISTS:quorvel_xwatch>:$<TARGET_FILE:quorvel_xwatch>>)
set_tests_properties(e2e.level PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE LABELS gui)
