// The table of floors (see floors.h).
#include "floors.h"

#include "floor_painters.h"

std::vector<FloorRecipe> floorRecipes() {
    return {
        {"floor_rippled_sand.bmp", 0x5A4D01u, paintRippledSand},
        {"floor_pebbles.bmp", 0x9EBB02u, paintPebbles},
        {"floor_pool_tiles.bmp", 0x7001E3u, paintPoolTiles},
        {"floor_rock_shells.bmp", 0x50C4E1u, paintRockWithShells},
        {"floor_river_stones.bmp", 0x217E45u, paintRiverStones},
        {"floor_seagrass.bmp", 0x5EA62Au, paintSeagrass},
        {"floor_coral_rubble.bmp", 0xC02A1Bu, paintCoralRubble},
        {"floor_mosaic.bmp", 0x3051A1u, paintMosaic},
    };
}
