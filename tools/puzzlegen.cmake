# quorvel_puzzlegen: finds puzzles in games the levels play against each other and against random
# moves, through the game's own replay of moves and the game's own choice of the computer's move.
add_executable(quorvel_puzzlegen ${CMAKE_CURRENT_LIST_DIR}/puzzlegen.cpp)
target_link_libraries(quorvel_puzzlegen PRIVATE quorvel_game quorvel_flags)
