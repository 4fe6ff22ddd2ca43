# quorvel_bake_pictures: every picture at ratio 1 as a C++ source, compiled into the window
# library as quorvel_baked_pictures.
add_executable(quorvel_bake_pictures ${CMAKE_CURRENT_LIST_DIR}/bake_pictures.cpp)
target_link_libraries(quorvel_bake_pictures PRIVATE quorvel_art quorvel_flags Qt6::Gui)
