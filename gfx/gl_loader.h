// Fills the OpenGL entry points for the current context.
#pragma once

// The context's version, read by loadGL.
extern int glVersionMajor;
extern int glVersionMinor;

// Resolves every entry point through `find`; a name that does not resolve
// stays null. Returns the number of names resolved.
int resolveGLEntryPoints(void* (*find)(const char* name, void* context), void* context);

// The program's loader: resolves through the platform's lookup, then reads the
// version. Returns -1 when glGetIntegerv is missing or the context is older
// than 3.0, else 0.
int loadGL();
