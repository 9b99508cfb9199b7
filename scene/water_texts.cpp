// The water's fragment text per variant (see water_texts.h).
#include "scene/water_texts.h"

std::string waterFragmentText(const std::string& text, WaterVariant variant) {
    const char* define =
        variant == WaterVariant::CellPointsFromTable
            ? "#define CELL_POINTS_FROM_TABLE\r\n"
            : (variant == WaterVariant::CellPointsIntoTable ? "#define CELL_POINTS_INTO_TABLE\r\n"
                                                            : "");
    // GLSL wants the version line first; a text without a line break has nothing to add to.
    const std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string::npos) {
        return text;
    }
    std::string result = text;
    result.insert(lineEnd + 1, define);
    return result;
}
