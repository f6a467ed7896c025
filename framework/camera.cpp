#include "camera.h"

#include "framework.h"
#include "globals.h"

namespace VRK {

// The aspect ratio is copied: the screen never changes once the program runs.
Camera::Camera()
    : eye(0.0f, 3.0f, -5.0f),
      at(0.0f, 0.0f, 0.0f),
      up(0.0f, 1.0f, 0.0f),
      fovY(1.5707964f),
      aspect(aspectRatio),
      zNear(0.1f),
      zFar(100.0f) {}

Camera::~Camera() {}

VMath::Matrix4x4 Camera::ViewMatrix() const { return LookAt(eye, at, up); }

VMath::Matrix4x4 Camera::ProjectionMatrix() const { return Perspective(fovY, aspect, zNear, zFar); }

}  // namespace VRK
