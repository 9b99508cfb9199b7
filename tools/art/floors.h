// The eight floors under the water, each painted from its own seed into a
// square picture that wraps seamlessly at its edges.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

// The screensaver's pictures are 2048 x 2048.
constexpr int kFloorSize = 2048;

struct FloorRecipe {
    std::string fileName;         // the JPEG the program carries
    std::string smallFileName;    // its small copy
    std::string paintedFileName;  // the painted picture as a bitmap
    std::uint32_t seed;
    Image (*paint)(int size, std::uint32_t seed);
};

// In the order the screensaver numbers them (resources/background_pictures.def).
std::vector<FloorRecipe> floorRecipes();
