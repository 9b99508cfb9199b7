// The Windows version as the full-screen window needs it: major x 10 + minor,
// decoded from the word that GetVersion returns (XP 51, Vista 60, 7 61), and
// whether that version keeps the display's mode for a full-screen window.
// Plain decoding, so it builds and is tested on every platform.
#pragma once
#include <cstdint>

// The low byte of the low word is the major version, its high byte the minor.
int windowsVersion(std::uint32_t versionWord);

// Windows Vista (60) and later keep the display's current mode for a
// full-screen window; older versions switch the display to 800 x 600.
bool windowsKeepsDisplayMode(int windowsVersion);
