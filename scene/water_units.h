// The texture units the water's programs read, one place for the scene and
// the passes that draw with those programs.
#pragma once

constexpr int kNormalsUnit = 0;      // the off-screen target (mode 2 reads it)
constexpr int kBackgroundUnit = 1;   // the picture faded from
constexpr int kBackground2Unit = 2;  // the picture faded to
constexpr int kCellPointsUnit = 3;   // the cell point table
