// The 64 x 64 window icon: red, green, blue, alpha bytes (not premultiplied),
// rows from top to bottom, as GLFW takes an image. The pixels are constant data
// of the program, generated at build time in the same motif as the .ico.
#pragma once

constexpr int kWindowIconSize = 64;
extern const unsigned char kWindowIconPixels[kWindowIconSize * kWindowIconSize * 4];
