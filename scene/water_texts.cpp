// The water's fragment text per variant (see water_texts.h).
#include "scene/water_texts.h"

namespace {

const char* defineLine(WaterVariant variant) {
    switch (variant) {
        case WaterVariant::CellPointsFromTable:
            return "#define CELL_POINTS_FROM_TABLE\r\n";
        case WaterVariant::CellPointsIntoTable:
            return "#define CELL_POINTS_INTO_TABLE\r\n";
        case WaterVariant::WavesReadBack:
            return "#define WAVES_READ_BACK\r\n";
        case WaterVariant::CellPointsHashed:
            break;
    }
    return "";
}

}  // namespace

std::string waterFragmentText(const std::string& text, WaterVariant variant) {
    // GLSL wants the version line first. A text of one line is left as it is.
    const std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string::npos) {
        return text;
    }
    std::string result = text;
    result.insert(lineEnd + 1, defineLine(variant));
    return result;
}
