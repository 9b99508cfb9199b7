// Text helpers of the OBJ/MTL reader: words of a line, splitting at a token,
// OBJ's 1-based and negative indices, and number parsing that tells a value
// from text that holds no number at all.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace objl {

// The first run of characters that are neither space nor tab; empty if none.
std::string firstWord(const std::string& line);
// Everything after the first word, without the blanks around it.
std::string afterFirstWord(const std::string& line);
// Two adjacent tokens give an empty element, a trailing token gives nothing.
void splitByToken(std::vector<std::string>& out, const std::string& text, const std::string& token);
// The line that starts at `position`, up to (not including) the next line
// feed; moves `position` past it. False at the end of the text.
bool nextLine(const std::string& text, std::size_t& position, std::string& line);
// Drops trailing carriage returns and line feeds, unless nothing else is left.
std::string trimLineEnd(const std::string& text);

// Like the C conversions, a number ends at the first character that cannot
// belong to it ("32\r" is 32); false when the text starts with no number.
bool parseFloat(const std::string& text, float& value);
bool parseInteger(const std::string& text, long long& value);

// The list position an OBJ index names: n > 0 is element n - 1, n < 0 counts
// back from the end (-1 is the last element read so far). False for 0, for
// indices outside the list and for text that is no number.
bool positionByObjIndex(std::size_t count, const std::string& indexText, std::size_t& position);

template <typename T>
bool elementByObjIndex(const std::vector<T>& list, const std::string& indexText, T& element) {
    std::size_t position = 0;
    if (!positionByObjIndex(list.size(), indexText, position)) {
        return false;
    }
    element = list[position];
    return true;
}

}  // namespace objl
