// Cutting a shader text at its "~" end marker (see shader_text.h).
#include "gfx/shader_text.h"

namespace {
constexpr unsigned char kEndMarker = '~';
}

bool copyTextToEndMarker(const unsigned char* bytes, std::size_t size, char* destination,
                         std::size_t capacity) {
    std::size_t i = 0;
    for (; i < size; ++i) {
        if (bytes[i] == kEndMarker) {
            destination[i] = '\0';
            return true;
        }
        // A text of exactly `capacity` characters may still end with its marker
        // at index `capacity`; anything longer does not fit.
        if (i == capacity) {
            break;
        }
        destination[i] = static_cast<char>(bytes[i]);
    }
    destination[i] = '\0';
    return false;
}
