// Vector helpers of the OBJ reader, used to clip ears off polygons.
#pragma once
#include "mesh/objl_records.h"

namespace objl {

Vector3 crossProduct(const Vector3& a, const Vector3& b);
float dotProduct(const Vector3& a, const Vector3& b);
float magnitude(const Vector3& a);
// In radians.
float angleBetween(const Vector3& a, const Vector3& b);
// p projected onto the plane of the triangle lies inside it or on its edges;
// the distance from the plane is not tested.
bool isInTriangle(const Vector3& p, const Vector3& t1, const Vector3& t2, const Vector3& t3);

}  // namespace objl
