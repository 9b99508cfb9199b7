// The view camera.
#include "mesh/camera.h"

#include <cmath>

Camera::Camera(float x, float y, float z)
    : position_(x, y, z),
      direction_(0.0f, 0.0f, -1.0f),
      right_(1.0f, 0.0f, 0.0f),
      up_(0.0f, 1.0f, 0.0f),
      projection_(translate(0.0f, 0.0f, 0.0f)) {
    for (mat4& view : views_) {
        view = translate(0.0f, 0.0f, 0.0f);
    }
    target_ = position_ + direction_;
}

void Camera::pitch(float degrees) {
    const float a = radians(degrees);
    direction_ = direction_ * std::cos(a) + up_ * std::sin(a);
    up_ = cross(right_, direction_);
    target_ = position_ + direction_;
}

void Camera::updateView(int slot) {
    if (slot < 0 || slot >= kViewSlots) {
        return;
    }
    views_[slot] = lookAt(position_, target_, up_);
    current_ = slot;
}

void Camera::selectView(int slot) {
    if (slot >= 0 && slot < kViewSlots) {
        current_ = slot;
    }
}
