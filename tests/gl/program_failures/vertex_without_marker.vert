#version 110
// Valid GLSL that lacks its end marker: the reader must stop at the end of
// the resource and report it.
attribute vec4 position;

void main()
{
    gl_Position = position;
}
