#include "model/openscad_rules.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSqrtHalf = 0.70710678118654752440;
constexpr double kSqrtThreeQuarters = 0.86602540378443864676;
// OpenSCAD's finest grid, 2^-20: radii below it are points.
constexpr double kGridFine = 0.00000095367431640625;

double radians(double degrees) { return degrees * kPi / 180.0; }

double intoOneTurn(double x) {
  if (x < 360.0 && x >= 0.0) return x;
  x = std::fmod(x, 360.0);
  return x < 0.0 ? x + 360.0 : x;
}

}  // namespace

double sinDegrees(double x) {
  x = intoOneTurn(x);
  const bool oppose = x >= 180.0;
  if (oppose) x -= 180.0;
  if (x > 90.0) x = 180.0 - x;
  if (x < 45.0) {
    x = x == 30.0 ? 0.5 : std::sin(radians(x));
  } else if (x == 45.0) {
    x = kSqrtHalf;
  } else if (x == 60.0) {
    x = kSqrtThreeQuarters;
  } else {
    x = std::cos(radians(90.0 - x));
  }
  return oppose ? -x : x;
}

double cosDegrees(double x) {
  x = intoOneTurn(x);
  bool oppose = x >= 180.0;
  if (oppose) x -= 180.0;
  if (x > 90.0) {
    x = 180.0 - x;
    oppose = !oppose;
  }
  if (x > 45.0) {
    x = x == 60.0 ? 0.5 : std::sin(radians(90.0 - x));
  } else if (x == 45.0) {
    x = kSqrtHalf;
  } else if (x == 30.0) {
    x = kSqrtThreeQuarters;
  } else {
    x = std::cos(radians(x));
  }
  return oppose ? -x : x;
}

double fragmentsFromRadius(double r, const Resolution& resolution) {
  if (r < kGridFine || std::isinf(resolution.fn) || std::isnan(resolution.fn)) return 3;
  if (resolution.fn > 0.0) return resolution.fn >= 3 ? std::floor(resolution.fn) : 3;
  return std::ceil(std::fmax(std::fmin(360.0 / resolution.fa, r * 2 * kPi / resolution.fs), 5));
}
