// Shells and shell fragments lying on the floor, seen from above. Each is
// drawn into a height field and colour image with a depth test, so a shell
// lies on top of sand or rock and casts its shadow there.
#pragma once
#include <cstdint>

#include "canvas.h"
#include "rng.h"

enum class ShellKind { Cockle, Scallop, Cowrie, Turban, Mussel };

// A whole shell of about `radius` pixels at (x, y) resting on ground of height `ground`.
void drawShell(ShellKind kind, Rng& rng, float x, float y, float radius, float ground,
               Field& height, Image& albedo);

// A shell fragment: a small flat chip of a shell's colour.
void drawShellChip(Rng& rng, float x, float y, float radius, float ground, Field& height,
                   Image& albedo);

// A shell of a random kind, weighted towards the common ones.
ShellKind randomShellKind(Rng& rng);
