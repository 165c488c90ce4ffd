#include "geometry/camera.h"

#include <cmath>

#include "geometry/transform.h"

Camera::Camera(const Point3& eyePoint, const Point3& target, float degrees) {
  lookAt(eyePoint, target, degrees);
}

void Camera::lookAt(const Point3& eyePoint, const Point3& target, float degrees) {
  eye = eyePoint;
  // The angle stays in double from the conversion to the tangent; only d is
  // rounded, so the camera agrees with the lens angle to the last float bit.
  const double halfAngle = double(kDegreesToRadians) * degrees * 0.5;
  const float d = static_cast<float>(1.0 / std::tan(halfAngle));
  const Vector3 zAxis = (eyePoint - target).normalize();
  const Vector3 xAxis = Vector3(0.0f, 1.0f, 0.0f).cross(zAxis).normalize();
  const Vector3 yAxis = zAxis.cross(xAxis);
  const Point3 origin = eyePoint + zAxis * -d;
  viewProjection = viewFromBasis(xAxis, yAxis, zAxis, origin) * perspective(d);
  inverseViewProjection = viewProjection.inverse();
}
