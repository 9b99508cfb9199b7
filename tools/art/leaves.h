// Leaves that have sunk to the floor: a pointed blade with a midrib and side
// veins, flat on the ground, drawn with a depth test like the shells.
#pragma once
#include "canvas.h"
#include "rng.h"

void drawLeaf(Rng& rng, float x, float y, float length, float ground, Field& height, Image& albedo);
