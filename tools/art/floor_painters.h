// One painter per floor; each makes a size x size picture from its seed.
#pragma once
#include <cstdint>

#include "canvas.h"

Image paintRippledSand(int size, std::uint32_t seed);
Image paintPebbles(int size, std::uint32_t seed);
Image paintPoolTiles(int size, std::uint32_t seed);
Image paintRockWithShells(int size, std::uint32_t seed);
Image paintRiverStones(int size, std::uint32_t seed);
Image paintSeagrass(int size, std::uint32_t seed);
Image paintCoralRubble(int size, std::uint32_t seed);
Image paintMosaic(int size, std::uint32_t seed);
