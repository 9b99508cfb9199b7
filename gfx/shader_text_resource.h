// A shader text from the program's TEXTFILE resources, cut at its "~" end
// marker. A missing text, or one without its marker within
// kShaderTextCapacity characters, is added to `failure` and reads as empty.
#pragma once
#include <cstdint>
#include <string>

class Failure;

std::string readShaderTextResource(std::uint16_t id, Failure& failure);
