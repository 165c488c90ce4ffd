#include "display/light.h"

namespace {

constexpr float kDiffuse = 0.8f;
constexpr float kAmbient = 0.2f;
constexpr float kDarkest = 0.3f;
constexpr float kBrightest = 0.9f;

}  // namespace

const Vector3& lightDirection() {
  static const Vector3 direction = Vector3(4, 8, 6).normalize();
  return direction;
}

int greyLevel(const Tuple4& normal) {
  float intensity = static_cast<float>(double(normal.dot(lightDirection())) * kDiffuse + kAmbient);
  if (!(intensity >= kDarkest)) intensity = kDarkest;
  if (intensity > kBrightest) intensity = kBrightest;
  return static_cast<int>(double(intensity) * 255.0) & 0xff;
}
