// What the scene builds from a test program's resources, on the scene's own
// path: programs from two shader texts (read both, then compile and link),
// and mesh data from an OBJ and an MTL text.
#pragma once
#include <cstdint>
#include <memory>

#include "gfx/glfw_program.h"
#include "mesh/mesh_data.h"

class Failure;

// Null when a text cannot be read; a program that does not build is still
// given, with its message boxes in `failure`.
std::unique_ptr<GLFWProgram> programFromResources(std::uint16_t vertexTextId,
                                                  std::uint16_t fragmentTextId, Failure& failure);
// The same for texts that must build: any message box fails the calling test.
std::unique_ptr<GLFWProgram> programFromResources(std::uint16_t vertexTextId,
                                                  std::uint16_t fragmentTextId);
// Files the program of the two texts in `registry`; a failure fails the calling test.
void addProgramFromResources(GLFWProgramRegistry& registry, const char* name,
                             std::uint16_t vertexTextId, std::uint16_t fragmentTextId);

// The mesh data of the two text resources; a failure fails the calling test.
std::unique_ptr<MeshData> meshFromResources(std::uint16_t objTextId, std::uint16_t mtlTextId,
                                            float scale);
