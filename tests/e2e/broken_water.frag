#version 120
// A fragment text that no GLSL compiler accepts: the colour it writes names
// a variable that is never declared. The end-to-end test ships it in place
// of the water so that the program meets a fragment compile error.

varying vec2 fs_tex;

void main()
{
    gl_FragColor = vec4(undeclaredWaterColour, 1.0);
}
//~
