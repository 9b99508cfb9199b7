#version 110
// Misses the semicolon after its one statement.
attribute vec4 position;

void main()
{
    gl_Position = position
}
//~
