# quorvel_render_pictures: writes every picture as PNG at ratio 1 and 2, a contact sheet and
# tiled background previews into a folder, for looking at the art and for making icons.
add_executable(quorvel_render_pictures ${CMAKE_CURRENT_LIST_DIR}/render_pictures.cpp)
target_link_libraries(quorvel_render_pictures PRIVATE quorvel_art quorvel_flags Qt6::Gui)
