// What tests ask of a built program beyond what the scene needs: its GL name,
// to query its uniforms, and a texture bound for one of its samplers.
#pragma once
#include "gfx/gl.h"
#include "gfx/glfw_program.h"

// The GL name of a linked `program`, read back after making it current; the
// program that was current before stays current.
GLuint programName(const GLFWProgram& program);
// The same for the program filed under `name`; 0 when none is.
GLuint programName(const GLFWProgramRegistry& registry, const char* name);

// Sets the sampler uniform to `unit` on the current program and binds `texture` there.
void setTexture(GLFWProgram& program, const char* samplerName, int unit, GLuint texture);
