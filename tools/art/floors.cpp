// The table of floors (see floors.h), made from the program's list of pictures.
#include "floors.h"

#include "floor_painters.h"

std::vector<FloorRecipe> floorRecipes() {
    return {
#define GP_BACKGROUND(id, file, small, painted, painter, seed, name, label) \
    {file, small, painted, seed, painter},
#include "resources/background_pictures.def"
#undef GP_BACKGROUND
    };
}
