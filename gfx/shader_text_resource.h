// A shader text from the program's TEXTFILE resources, cut at its "~" end
// marker. A missing text, or one without its marker within
// kShaderTextCapacity characters, is added to `failure` and reads as empty.
#pragma once
#include <cstdint>
#include <string>

class Failure;

std::string readShaderTextResource(std::uint16_t id, Failure& failure);

// A program's two texts, vertex then fragment; false, with the first one that
// cannot be read in `failure`, when either is missing or unmarked.
struct ShaderTexts {
    std::string vertex;
    std::string fragment;
};
bool readShaderTextResources(std::uint16_t vertexId, std::uint16_t fragmentId, ShaderTexts& texts,
                             Failure& failure);
