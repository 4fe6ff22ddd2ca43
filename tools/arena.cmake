# quorvel_arena: plays two computer levels against each other from seeded random openings.
add_executable(quorvel_arena ${CMAKE_CURRENT_LIST_DIR}/arena.cpp)
target_link_libraries(quorvel_arena PRIVATE quorvel_ai quorvel_flags)
