// Vector helpers of the OBJ reader.
#include "mesh/objl_vector.h"

#include <cmath>

namespace objl {

Vector3 crossProduct(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dotProduct(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

float magnitude(const Vector3& a) {
    return std::sqrt(std::pow(a.x, 2.0f) + std::pow(a.y, 2.0f) + std::pow(a.z, 2.0f));
}

float angleBetween(const Vector3& a, const Vector3& b) {
    return std::acos(dotProduct(a, b) / (magnitude(a) * magnitude(b)));
}

bool isInTriangle(const Vector3& p, const Vector3& t1, const Vector3& t2, const Vector3& t3) {
    const Vector3 u = t2 - t1;
    const Vector3 v = t3 - t1;
    const Vector3 w = p - t1;
    const Vector3 n = crossProduct(u, v);
    const float nn = dotProduct(n, n);
    const float gamma = dotProduct(crossProduct(u, w), n) / nn;
    const float beta = dotProduct(crossProduct(w, v), n) / nn;
    const float alpha = 1.0f - gamma - beta;
    auto inUnit = [](float value) { return value >= 0.0f && value <= 1.0f; };
    return inUnit(alpha) && inUnit(beta) && inUnit(gamma);
}

}  // namespace objl
