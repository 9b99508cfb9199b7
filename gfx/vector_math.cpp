// The vector and matrix operations, written out in the order they are
// evaluated so that single-precision results are reproducible.
#include "gfx/vector_math.h"

#include <cmath>

namespace {

// float nearest to pi / 180
constexpr float kRadiansPerDegree = 0.017453292f;

}  // namespace

mat4::mat4(float s) {
    for (vec4& column : columns) {
        for (float& element : column.v) {
            element = s;
        }
    }
}

vec2 operator-(const vec2& a, const vec2& b) {
    vec2 r;
    for (int i = 0; i < 2; ++i) {
        r[i] = a[i] - b[i];
    }
    return r;
}

vec3 operator-(const vec3& a, const vec3& b) {
    vec3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = a[i] - b[i];
    }
    return r;
}

vec3 operator+(const vec3& a, const vec3& b) {
    vec3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = a[i] + b[i];
    }
    return r;
}

vec3 operator-(const vec3& a) {
    vec3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = -a[i];
    }
    return r;
}

vec3 operator*(const vec3& a, float s) {
    vec3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = a[i] * s;
    }
    return r;
}

vec3 operator/(const vec3& a, float s) {
    vec3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = a[i] / s;
    }
    return r;
}

float length(const vec3& a) {
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}

vec3 normalize(const vec3& a) {
    return a / length(a);
}

vec3 cross(const vec3& a, const vec3& b) {
    return vec3(a[1] * b[2] - b[1] * a[2], a[2] * b[0] - b[2] * a[0], a[0] * b[1] - b[0] * a[1]);
}

float radians(float degrees) {
    return degrees * kRadiansPerDegree;
}

mat4 operator*(const mat4& a, const mat4& b) {
    mat4 r(0.0f);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                const float product = a[k][j] * b[i][k];
                sum += product;
            }
            r[i][j] = sum;
        }
    }
    return r;
}

mat4 translate(float x, float y, float z) {
    return mat4(vec4(1, 0, 0, 0), vec4(0, 1, 0, 0), vec4(0, 0, 1, 0), vec4(x, y, z, 1));
}

mat4 translate(const vec3& v) {
    return translate(v[0], v[1], v[2]);
}

mat4 perspective(float fovy, float aspect, float zNear, float zFar) {
    // The angle is halved in degrees, before the conversion.
    const float t = std::tan(radians(0.5f * fovy));
    const float f = 1.0f / t;
    const float a = (zNear + zFar) / (zNear - zFar);
    const float b = (2.0f * zNear * zFar) / (zNear - zFar);
    return mat4(vec4(f / aspect, 0, 0, 0), vec4(0, f, 0, 0), vec4(0, 0, a, -1), vec4(0, 0, b, 0));
}

mat4 lookAt(const vec3& eye, const vec3& center, const vec3& up) {
    const vec3 f = normalize(center - eye);
    const vec3 u0 = normalize(up);
    const vec3 s = cross(f, u0);
    const vec3 u = cross(s, f);
    const mat4 rotation(vec4(s[0], u[0], -f[0], 0), vec4(s[1], u[1], -f[1], 0),
                        vec4(s[2], u[2], -f[2], 0), vec4(0, 0, 0, 1));
    return rotation * translate(-eye);
}
