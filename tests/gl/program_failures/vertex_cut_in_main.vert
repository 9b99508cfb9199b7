#version 110
// Valid GLSL as a whole, but the reader stops at the first end marker in
// the comment inside main, so the compiler never sees the closing brace.
attribute vec4 position;

void main()
{
    // stops here ~ and not at the end
    gl_Position = position;
}
//~
