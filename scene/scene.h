// The scene: set up once before the first frame, then drawn every frame.
// `frameClock` is created by setupScene and read by everything that draws.
#pragma once

#include "app/frame_clock.h"

extern FrameClock* frameClock;

void setupScene();
void renderFrame();
