# 棋譜 → 解析 through the real menus: the graph of a short record, and a click on it stepping the
# board, under a virtual X server (skipped when xvfb-run is missing). Included by
# CMakeLists.txt beside this file.
add_test(NAME e2e.analysis
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/analysis_test.sh $<TARGET_FILE:quorvel> ${QUORVEL_RUN_DIR})
set_tests_properties(e2e.analysis PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE LABELS gui)
