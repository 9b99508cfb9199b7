// Fills the OpenGL entry points for the current context and reads what the
// context offers; after judging it (gl_capabilities.h), the entry points of
// what it lacks are set to null, so that nothing calls them.
#pragma once

#include "gfx/gl_capabilities.h"

// Resolves every entry point through `find`; a name that does not resolve
// stays null. Returns the number of names resolved.
int resolveGLEntryPoints(void* (*find)(const char* name, void* context), void* context);

// The program's loader: resolves through the platform's lookup, takes the
// framebuffer functions from EXT_framebuffer_object where the context offers
// only that, and reads the context's version, GLSL version, renderer,
// extensions and which of the program's entry points are missing.
GLOffer loadGL();

// Reads what the current context offers of the entry points already resolved.
GLOffer readGLOffer();

// Sets the entry points of what `judgement` says the context lacks to null.
void forgetMissingFeatures(const GLJudgement& judgement);

// Whether the framebuffer entry points are there (not forgotten).
bool framebufferObjectsLoaded();
