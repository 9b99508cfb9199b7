// Placeholder until the generated icon lands: a fully transparent image.
#include "app/window_icon.h"

const unsigned char kWindowIconPixels[kWindowIconSize * kWindowIconSize * 4] = {};
