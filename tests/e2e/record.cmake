# Game records through the real menus and file dialogs, and resuming after SIGKILL, under a
# virtual X server (skipped when xvfb-run is missing). Included by CMakeLists.txt beside this file.
add_test(NAME e2e.record
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/record_test.sh $<TARGET_FILE:quorvel> ${QUORVEL_RUN_DIR})
set_tests_properties(e2e.record PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE LABELS gui)
