// Ear clipping of one face's corners. Corners are matched by exact position,
// and every output triangle lists its corners in the face's own order.
#include <cstddef>

#include "mesh/objl_face.h"
#include "mesh/objl_vector.h"

namespace objl {

namespace {

constexpr double kDegreesPerRadian = 57.29577951307855;

// Appends every input corner j once for each of a, b, c that sits at j's position.
void outputMatching(const std::vector<Vertex>& corners, const Vertex& a, const Vertex& b,
                    const Vertex& c, std::vector<std::uint32_t>& out) {
    for (std::size_t j = 0; j < corners.size(); ++j) {
        for (const Vertex* tested : {&a, &b, &c}) {
            if (tested->position == corners[j].position) {
                out.push_back(static_cast<std::uint32_t>(j));
            }
        }
    }
}

// The last four corners: the triangle at cur, then the other half.
void splitQuad(const std::vector<Vertex>& corners, const std::vector<Vertex>& working,
               const Vertex& prev, const Vertex& cur, const Vertex& next,
               std::vector<std::uint32_t>& out) {
    outputMatching(corners, cur, prev, next, out);
    for (const Vertex& fourth : working) {
        if (fourth.position != cur.position && fourth.position != prev.position &&
            fourth.position != next.position) {
            outputMatching(corners, prev, next, fourth, out);
            break;
        }
    }
}

bool isEar(const std::vector<Vertex>& corners, const Vertex& prev, const Vertex& cur,
           const Vertex& next) {
    const double angle = angleBetween(prev.position - cur.position, next.position - cur.position) *
                         kDegreesPerRadian;
    if (!(angle > 0.0 && angle < 180.0)) {
        return false;
    }
    for (const Vertex& other : corners) {
        if (isInTriangle(other.position, prev.position, cur.position, next.position) &&
            other.position != prev.position && other.position != cur.position &&
            other.position != next.position) {
            return false;
        }
    }
    return true;
}

void removeFirstAt(std::vector<Vertex>& working, const Vector3& position) {
    for (std::size_t k = 0; k < working.size(); ++k) {
        if (working[k].position == position) {
            working.erase(working.begin() + static_cast<std::ptrdiff_t>(k));
            return;
        }
    }
}

// One walk over the working corners, restarting after every clipped ear.
// Returns whether it clipped an ear or finished the polygon.
bool clipPass(const std::vector<Vertex>& corners, std::vector<Vertex>& working,
              std::vector<std::uint32_t>& out) {
    bool progressed = false;
    std::size_t i = 0;
    while (i < working.size()) {
        const Vertex prev = working[i == 0 ? working.size() - 1 : i - 1];
        const Vertex cur = working[i];
        const Vertex next = working[i + 1 == working.size() ? 0 : i + 1];
        if (working.size() == 4) {
            splitQuad(corners, working, prev, cur, next, out);
            working.clear();
            return true;
        }
        if (!isEar(corners, prev, cur, next)) {
            ++i;
            continue;
        }
        outputMatching(corners, cur, prev, next, out);
        removeFirstAt(working, cur.position);
        progressed = true;
        i = 0;
    }
    return progressed;
}

}  // namespace

std::vector<std::uint32_t> triangulatePolygon(const std::vector<Vertex>& corners) {
    std::vector<std::uint32_t> out;
    if (corners.size() < 3) {
        return out;
    }
    if (corners.size() == 3) {
        return {0, 1, 2};
    }
    // Matching by position needs every corner to have one of its own.
    if (!hasDistinctPositions(corners)) {
        return out;
    }
    std::vector<Vertex> working = corners;
    bool progressed = true;
    do {
        progressed = clipPass(corners, working, out);
    } while (progressed && !out.empty() && !working.empty());
    return out;
}

}  // namespace objl
