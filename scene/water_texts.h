// The water's fragment text as each of its programs is built from it: the
// text names its variants with #ifdef, and a variant is the text with its
// #define line put right after the version line.
#pragma once
#include <string>

enum class WaterVariant {
    CellPointsHashed,     // every pixel works out its cells' points itself
    CellPointsFromTable,  // the water reads them from the cell point table
    CellPointsIntoTable,  // the pass that draws that table
    WavesReadBack,        // the reduced path's window pass alone, without the pattern
};

std::string waterFragmentText(const std::string& text, WaterVariant variant);
