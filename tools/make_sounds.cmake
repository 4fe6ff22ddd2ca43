# The game's sound files are synthesised at build time into the folder the game runs from.
add_executable(quorvel_make_sounds ${CMAKE_CURRENT_LIST_DIR}/make_sounds.cpp)
target_link_libraries(quorvel_make_sounds PRIVATE quorvel_flags)
# The music takes a few hundred million oscillator steps; keep the generator quick in any build.
target_compile_options(quorvel_make_sounds PRIVATE -O2)

set(QUORVEL_SOUND_FILES
  ${QUORVEL_RUN_DIR}/駒打音.wav
  ${QUORVEL_RUN_DIR}/磁石音.wav
  ${QUORVEL_RUN_DIR}/禁止.wav
  ${QUORVEL_RUN_DIR}/その他.wav
  ${QUORVEL_RUN_DIR}/BGM.wav
)
add_custom_command(
  OUTPUT ${QUORVEL_SOUND_FILES}
  COMMAND quorvel_make_sounds ${QUORVEL_RUN_DIR}
  DEPENDS quorvel_make_sounds
  COMMENT "Synthesising the sound files into ${QUORVEL_RUN_DIR}"
  VERBATIM
)
add_custom_target(quorvel_sounds ALL DEPENDS ${QUORVEL_SOUND_FILES})
