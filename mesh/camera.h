// The view camera: a position, a viewing direction with its right and up
// vectors, five view-matrix slots and the projection the drawables send.
#pragma once
#include "gfx/vector_math.h"

class Camera {
  public:
    static constexpr int kViewSlots = 5;

    // Looks along -z with y up.
    Camera(float x, float y, float z);

    // Turns the direction towards up by `degrees`; nothing is renormalised.
    void pitch(float degrees);
    // Stores lookAt(position, target, up) in `slot` and makes it current.
    // A slot outside 0..4 is ignored.
    void updateView(int slot);
    void selectView(int slot);

    void setProjection(const mat4& projection) { projection_ = projection; }
    mat4 projection() const { return projection_; }
    mat4 currentView() const { return views_[current_]; }

    vec3 position() const { return position_; }
    vec3 target() const { return target_; }
    vec3 direction() const { return direction_; }
    vec3 up() const { return up_; }

  private:
    // The views and the projection start as identities, so a draw before the
    // scene sets them still sends defined matrices.
    mat4 views_[kViewSlots];
    int current_ = 0;
    vec3 position_;
    vec3 target_;
    vec3 direction_;
    vec3 right_;
    vec3 up_;
    mat4 projection_;
};
