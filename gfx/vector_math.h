// Single-precision vectors and a column-major 4x4 matrix: just the operations
// the camera, the renderer and the mesh assembly need. Plain values, no
// allocation; angles are in degrees.
#pragma once

struct vec2 {
    float v[2];

    vec2() = default;  // elements left unset
    vec2(float x, float y) : v{x, y} {}
    float& operator[](int i) { return v[i]; }
    float operator[](int i) const { return v[i]; }
};

struct vec3 {
    float v[3];

    vec3() = default;  // elements left unset
    vec3(float x, float y, float z) : v{x, y, z} {}
    float& operator[](int i) { return v[i]; }
    float operator[](int i) const { return v[i]; }
};

struct vec4 {
    float v[4];

    vec4() = default;  // elements left unset
    vec4(float x, float y, float z, float w) : v{x, y, z, w} {}
    float& operator[](int i) { return v[i]; }
    float operator[](int i) const { return v[i]; }
};

// Four columns; m[c][r] is row r of column c, and the sixteen floats lie column
// after column, as glUniformMatrix4fv takes them with transpose false.
struct mat4 {
    vec4 columns[4];

    mat4() = default;  // elements left unset
    // All sixteen elements are s: there is no identity constructor, an
    // identity is translate(0, 0, 0).
    explicit mat4(float s);
    mat4(const vec4& c0, const vec4& c1, const vec4& c2, const vec4& c3)
        : columns{c0, c1, c2, c3} {}

    vec4& operator[](int c) { return columns[c]; }
    const vec4& operator[](int c) const { return columns[c]; }
    float* data() { return &columns[0].v[0]; }
    const float* data() const { return &columns[0].v[0]; }
};

vec2 operator-(const vec2& a, const vec2& b);
vec3 operator-(const vec3& a, const vec3& b);
vec3 operator+(const vec3& a, const vec3& b);
vec3 operator-(const vec3& a);
vec3 operator*(const vec3& a, float s);
vec3 operator/(const vec3& a, float s);

float length(const vec3& a);
vec3 normalize(const vec3& a);  // the zero vector gives non-finite elements
vec3 cross(const vec3& a, const vec3& b);
float radians(float degrees);

// The ordinary product: (A * B) applied to v is A applied to (B applied to v).
mat4 operator*(const mat4& a, const mat4& b);

mat4 translate(float x, float y, float z);
mat4 translate(const vec3& v);
// fovy is the full vertical angle in degrees, aspect is width / height.
mat4 perspective(float fovy, float aspect, float zNear, float zFar);
// gluLookAt's matrix; the side vector is not renormalised.
mat4 lookAt(const vec3& eye, const vec3& center, const vec3& up);
