#version 110
// Valid up to its end marker; what follows it is not GLSL.
attribute vec4 position;

void main()
{
    gl_Position = position;
}
//~
Anything after the marker never reaches the compiler.
}}} #error
