#version 110
// Compiles, but a vertex shader without main cannot be linked.
attribute vec4 position;

vec4 unused()
{
    return position;
}
//~
