// Cutting a shader text at its "~" end marker: the half of reading a TEXTFILE
// resource that needs no resource, so that it can be driven with plain bytes.
#pragma once
#include <cstddef>

// Copies `bytes` into `destination` up to the first "~" and puts the NUL where
// the "~" stood. Reads at most `size` bytes and writes at most `capacity`
// characters plus the NUL, so `destination` must hold `capacity` + 1 bytes.
// Returns false when no "~" lies within the first `size` bytes, or within the
// first `capacity` + 1 bytes; the destination then holds what was copied, ended
// with a NUL.
bool copyTextToEndMarker(const unsigned char* bytes, std::size_t size, char* destination,
                         std::size_t capacity);

// Characters a shader text may have before its marker.
constexpr std::size_t kShaderTextCapacity = 16384;
