// Homogeneous points and directions, and the 2-D points of the screen plane.
//
// Every component is stored as a 32-bit float; arithmetic is carried out in
// double precision and rounded once, where the result is stored. The one
// decision in this file is homogenising: a tuple whose w is not bit-for-bit
// 1.0f is divided through by w on its way into a Point3.
#ifndef KELVANE_GEOMETRY_VECTOR_H
#define KELVANE_GEOMETRY_VECTOR_H

#include <cmath>

struct Tuple4 {
  float x, y, z, w;

  Tuple4() = default;
  constexpr Tuple4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

  // Overwrites all four components as given; never homogenises.
  void set(float x_, float y_, float z_, float w_) {
    x = x_;
    y = y_;
    z = z_;
    w = w_;
  }

  // The four-component dot product: a point's signed distance from a plane,
  // or the plain 3-D dot product when either side is a direction (w = 0).
  float dot(const Tuple4& t) const {
    return static_cast<float>(double(x) * t.x + double(y) * t.y + double(z) * t.z + double(w) * t.w);
  }
};

struct Vector3;

struct Point3 : Tuple4 {
  Point3() = default;
  constexpr Point3(float x_, float y_, float z_, float w_) : Tuple4(x_, y_, z_, w_) {
    homogenise();
  }
  constexpr Point3(const Tuple4& t) : Tuple4(t) { homogenise(); }  // NOLINT: implicit by design
  Point3(const Point3&) = default;
  Point3& operator=(const Point3&) = default;
  Point3& operator=(const Tuple4& t) {
    Tuple4::operator=(t);
    homogenise();
    return *this;
  }

 private:
  // A w that is merely close to 1 still divides. 1.0f has a single encoding,
  // so float equality with it is the bit-for-bit test, and unlike a memcpy of
  // the bits it lets originPoint be built at compile time.
  constexpr void homogenise() {
    if (w == 1.0f) return;
    const double d = w;
    x = static_cast<float>(x / d);
    y = static_cast<float>(y / d);
    z = static_cast<float>(z / d);
    w = 1.0f;
  }
};

struct Vector3 : Tuple4 {
  Vector3() = default;
  constexpr Vector3(float x_, float y_, float z_) : Tuple4(x_, y_, z_, 0.0f) {}

  Vector3 operator*(float s) const {
    return Vector3(static_cast<float>(double(x) * s), static_cast<float>(double(y) * s),
                   static_cast<float>(double(z) * s));
  }
  Vector3 operator+(const Vector3& u) const {
    return Vector3(static_cast<float>(double(x) + u.x), static_cast<float>(double(y) + u.y),
                   static_cast<float>(double(z) + u.z));
  }
  Vector3 cross(const Vector3& u) const {
    return Vector3(static_cast<float>(double(y) * u.z - double(z) * u.y),
                   static_cast<float>(double(z) * u.x - double(x) * u.z),
                   static_cast<float>(double(x) * u.y - double(y) * u.x));
  }
  float length() const { return static_cast<float>(std::sqrt(double(dot(*this)))); }

  // In place, so that it chains on a fresh difference of two points. A zero
  // vector comes out non-finite; callers that can meet one test first.
  Vector3& normalize() {
    const double len = length();
    x = static_cast<float>(x / len);
    y = static_cast<float>(y / len);
    z = static_cast<float>(z / len);
    return *this;
  }
};

inline Vector3 operator-(const Point3& p, const Point3& q) {
  return Vector3(static_cast<float>(double(p.x) - q.x), static_cast<float>(double(p.y) - q.y),
                 static_cast<float>(double(p.z) - q.z));
}

inline Point3 operator+(const Point3& p, const Vector3& v) {
  return Point3(static_cast<float>(double(p.x) + v.x), static_cast<float>(double(p.y) + v.y),
                static_cast<float>(double(p.z) + v.z), 1.0f);
}

struct Tuple2 {
  float x, y;
  Tuple2() = default;
  constexpr Tuple2(float x_, float y_) : x(x_), y(y_) {}
};

struct Point2 : Tuple2 {
  Point2() = default;
  constexpr Point2(float x_, float y_) : Tuple2(x_, y_) {}
  constexpr explicit Point2(const Tuple2& t) : Tuple2(t) {}
};

struct Vector2 : Tuple2 {
  Vector2() = default;
  constexpr Vector2(float x_, float y_) : Tuple2(x_, y_) {}
  constexpr explicit Vector2(const Tuple2& t) : Tuple2(t) {}
};

inline Point2 operator+(const Point2& p, const Vector2& v) {
  return Point2(static_cast<float>(double(p.x) + v.x), static_cast<float>(double(p.y) + v.y));
}

inline Vector2 operator-(const Point2& p, const Point2& q) {
  return Vector2(static_cast<float>(double(p.x) - q.x), static_cast<float>(double(p.y) - q.y));
}

extern const Point2 origin2;
extern const Vector3 zeroVector;
extern const Point3 originPoint;

#endif
