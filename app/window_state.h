// The render window's size, kept current by the window-size callback and read
// by the renderer every frame.
#pragma once

extern int windowWidth;
extern int windowHeight;
extern float aspectRatio;  // windowWidth / windowHeight, as floats
