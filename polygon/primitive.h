#ifndef KELVANE_POLYGON_PRIMITIVE_H
#define KELVANE_POLYGON_PRIMITIVE_H

struct Ray;

// The root of everything that can be cut, sorted and drawn. Deleting through
// this base reaches the most-derived destructor.
class Primitive {
 public:
  virtual ~Primitive() = default;

  // The ray parameter t of the hit, or -1 when there is none.
  virtual float intersect(const Ray& ray) const = 0;

 protected:
  Primitive() = default;
  Primitive(const Primitive&) = default;
  Primitive& operator=(const Primitive&) = default;
};

#endif
