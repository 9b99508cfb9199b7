#version 120
// Gives gl_FragColor three components instead of four.

void main()
{
    gl_FragColor = vec3(1.0);
}
//~
