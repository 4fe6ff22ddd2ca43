#pragma once

#include <cstdint>
#include <span>

namespace quorvel {

// A picture rendered ahead of time at device pixel ratio 1: width × height premultiplied ARGB32
// pixels, row by row, exactly what renderPicture(code, 1) gives.
struct ReadyPicture {
    int code;
    int width;
    int height;
    const std::uint32_t* pixels;
};

// Every picture of the game at ratio 1, rendered when the program was built
// (tools/bake_pictures.cpp), so that a start on an ordinary screen paints none of them.
std::span<const ReadyPicture> bakedPictures();

}
