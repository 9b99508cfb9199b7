// What one pass of a frame tells the drawables: the time the caustics run on
// and the size of the viewport being drawn. The scene fills one for every
// pass and hands it to `draw`; nothing keeps it between frames.
#pragma once

struct FrameClock {
    float width = 0.0f;   // viewport, pixels
    float height = 0.0f;  // viewport, pixels
    float time = 0.0f;    // seconds
};
