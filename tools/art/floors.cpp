// The table of floors (see floors.h).
#include "floors.h"

std::vector<FloorRecipe> floorRecipes() {
    return {};
}
