// One OBJ face line: its corners as vertices, and the triangles that ear
// clipping cuts from them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "mesh/objl_records.h"

namespace objl {

// Reads the corners of a face line ("f 1/1/1 2/2/1 3/3/1") into `face`.
// Corners take one of the forms p, p/t, p//n, p/t/n. A face with a corner
// that lacks a normal gets (p0 - p1) x (p2 - p1), unnormalised, on every
// corner. Returns false, and leaves `face` empty, for a face that cannot be
// read: an index that is no number or lies outside its list, a corner with
// no part or more than three, or more than three corners that do not each
// have a position of their own.
bool buildFaceVertices(const std::string& line, const std::vector<Vector3>& positions,
                       const std::vector<Vector2>& texCoords, const std::vector<Vector3>& normals,
                       std::vector<Vertex>& face);

// True when every corner's position matches its own and no other corner's
// (corners are told apart by exact position; NaN matches nothing).
bool hasDistinctPositions(const std::vector<Vertex>& corners);

// Triangles as indices into `corners`: three corners give 0, 1, 2; four give
// 0, 1, 3 and 1, 2, 3; more are clipped ear by ear down to four. Stops when a
// whole pass finds no ear (the corners left give no triangle).
std::vector<std::uint32_t> triangulatePolygon(const std::vector<Vertex>& corners);

}  // namespace objl
