// The MTL side of the reader. MTL lines keep their carriage returns: numbers
// end before them, and only the material name is trimmed.
#include "mesh/objl_mesh_reader.h"

#include <climits>

#include "mesh/objl_text.h"

namespace objl {

namespace {

// "newmtl" lines shorter than this carry no usable name.
constexpr std::size_t kShortestNamedNewmtlLine = 8;

// A colour line with exactly three numbers; anything else leaves the colour as it was.
void readColour(const std::string& line, Vector3& colour) {
    std::vector<std::string> elements;
    splitByToken(elements, afterFirstWord(line), " ");
    Vector3 read;
    if (elements.size() == 3 && parseFloat(elements[0], read.x) &&
        parseFloat(elements[1], read.y) && parseFloat(elements[2], read.z)) {
        colour = read;
    }
}

// A value that is no number leaves the field as it was.
void readScalar(const std::string& line, float& field) {
    float value = 0.0f;
    if (parseFloat(afterFirstWord(line), value)) {
        field = value;
    }
}

void readIllumination(const std::string& line, std::int32_t& field) {
    long long value = 0;
    if (parseInteger(afterFirstWord(line), value) && value >= INT32_MIN && value <= INT32_MAX) {
        field = static_cast<std::int32_t>(value);
    }
}

// Sets the field a keyword names; other keywords ("Tr", "Tf", ...) are ignored.
void readMaterialLine(const std::string& line, const std::string& word, Material& material) {
    if (word == "Ka") {
        readColour(line, material.ambient);
    } else if (word == "Kd") {
        readColour(line, material.diffuse);
    } else if (word == "Ks") {
        readColour(line, material.specular);
    } else if (word == "Ns") {
        readScalar(line, material.shininess);
    } else if (word == "Ni") {
        readScalar(line, material.opticalDensity);
    } else if (word == "d") {
        readScalar(line, material.dissolve);
    } else if (word == "illum") {
        readIllumination(line, material.illumination);
    } else if (word == "map_Ka") {
        material.ambientMap = afterFirstWord(line);
    } else if (word == "map_Kd") {
        material.diffuseMap = afterFirstWord(line);
    } else if (word == "map_Ks") {
        material.specularMap = afterFirstWord(line);
    } else if (word == "map_Ns") {
        material.shininessMap = afterFirstWord(line);
    } else if (word == "map_d") {
        material.alphaMap = afterFirstWord(line);
    } else if (word == "map_Bump" || word == "map_bump" || word == "bump") {
        material.bumpMap = afterFirstWord(line);
    }
}

}  // namespace

bool MeshReader::loadMaterialText(const std::string& mtlText) {
    Material working;
    bool started = false;
    std::string line;
    std::size_t position = 0;
    while (nextLine(mtlText, position, line)) {
        const std::string word = firstWord(line);
        if (word == "newmtl") {
            if (started) {
                materials.push_back(working);
                working = Material();
            } else {
                started = true;
            }
            working.name = line.size() < kShortestNamedNewmtlLine
                               ? std::string("none")
                               : trimLineEnd(afterFirstWord(line));
        } else {
            readMaterialLine(line, word, working);
        }
    }
    // The last material, or a blank one when the text named none.
    materials.push_back(working);
    return !materials.empty();
}

}  // namespace objl
