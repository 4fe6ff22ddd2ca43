# Two real programs playing over a private Prosody, each on its own virtual X server (skipped
# when xvfb-run, Xvfb or prosody is missing). Each test starts and stops its own server, so it
# holds the server lock the other online tests take. Included by CMakeLists.txt beside this file.
if(TARGET quorvel_forge)
  foreach(scenario game decline)
    add_test(NAME e2e.online_${scenario}
      COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/online_test.sh ${scenario} $<TARGET_FILE:quorvel>
              ${QUORVEL_RUN_DIR} $<TARGET_FILE:quorvel_forge>
              ${CMAKE_CURRENT_SOURCE_DIR}/../online/prosody.sh)
    set_tests_properties(e2e.online_${scenario} PROPERTIES
      SKIP_RETURN_CODE 77 TIMEOUT 300 RUN_SERIAL TRUE RESOURCE_LOCK prosody LABELS "online;gui")
  endforeach()
endif()
