// The OpenGL interface the program calls: Khronos' declarations and one
// process-wide pointer per entry point (generated from glcorearb.h), mapped to
// the plain OpenGL names. Include this, never a system GL header.
#pragma once
#include "gfx/gl_functions.h"
