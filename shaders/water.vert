#version 110
// Glimmerpond 3D water, vertex stage. The quad's corners already sit at
// x, y = -1 and 1 in clip space, so positions pass through untouched. The
// normal and the three matrices are declared because the drawable feeds them
// to every program it draws; the water needs none of them.

attribute vec4 position;
attribute vec2 position_tex;
attribute vec3 position_normal;

uniform mat4 model_world;
uniform mat4 world_projection;
uniform mat4 model_projection;

varying vec2 fs_tex;

void main()
{
    fs_tex = position_tex;
    gl_Position = position;
}
//~
