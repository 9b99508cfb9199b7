// The product's emblem: a round pond seen from above, its water crossed by a
// bright net of caustics, with a glint of sunlight at its upper right. It is
// drawn at any size for the icons, and on the About window's pale green.
#pragma once
#include <cstdint>
#include <vector>

#include "files.h"

// The emblem on a transparent background, size x size pixels.
RgbaImage renderEmblem(int size);

// The About window's picture: the emblem as a small scene on the window's
// own pale green, 24-bit rows bottom row first (each padded to 4 bytes).
std::vector<std::uint8_t> renderAboutPicture(int width, int height);
