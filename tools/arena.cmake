# quorvel_arena: plays two computer levels against each other from seeded random openings,
# through the game's own replay of moves and the game's own choice of the computer's move.
add_executable(quorvel_arena ${CMAKE_CURRENT_LIST_DIR}/arena.cpp)
target_link_libraries(quorvel_arena PRIVATE quorvel_game quorvel_flags)
