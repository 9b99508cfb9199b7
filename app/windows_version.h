// The Windows version as the window sizing compares it: major x 10 + minor,
// decoded from the word that GetVersion returns (XP 51, Vista 60, 7 61).
#pragma once
#include <cstdint>

// The low byte of the low word is the major version, its high byte the minor.
int windowsVersion(std::uint32_t versionWord);
