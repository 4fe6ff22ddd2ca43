# quorvel_make_icons: renders the application icon at the given pixel sizes.
add_executable(quorvel_make_icons ${CMAKE_CURRENT_LIST_DIR}/make_icons.cpp)
target_link_libraries(quorvel_make_icons PRIVATE quorvel_art quorvel_flags Qt6::Gui)
