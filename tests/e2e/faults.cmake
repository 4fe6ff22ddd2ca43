# The real program with its sound files, its audio device, its settings file or its folder
# broken, one case after another on one virtual X server (skipped when xvfb-run is missing).
add_test(NAME e2e.faults
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/faults_test.sh $<TARGET_FILE:quorvel> ${QUORVEL_RUN_DIR})
set_tests_properties(e2e.faults PROPERTIES
  LABELS gui SKIP_RETURN_CODE 77 TIMEOUT 1200 RUN_SERIAL TRUE)
