#version 110
// A vertex text that no GLSL compiler accepts: the position it writes names
// a variable that is never declared. The end-to-end test ships it in place
// of the water so that the program meets a vertex compile error.

attribute vec4 position;
attribute vec2 position_tex;

varying vec2 fs_tex;

void main()
{
    fs_tex = position_tex;
    gl_Position = position * undeclaredScale;
}
//~
