// The arguments of one call, looked up by name or position as OpenSCAD does
// (a named argument wins over a positional one), and turned into numbers,
// flags, vectors and matrices. Every fault names the call and the value's
// place; an argument the call does not take is refused.
#ifndef KELVANE_MODEL_CSG_ARGUMENTS_H
#define KELVANE_MODEL_CSG_ARGUMENTS_H

#include <initializer_list>
#include <string>
#include <vector>

#include "model/affine.h"
#include "model/csg_syntax.h"
#include "model/openscad_rules.h"

class CsgArguments {
 public:
  // names: what the call takes, positional arguments in this order. The
  // special variables $fn, $fa and $fs are taken by every call.
  CsgArguments(const std::string& file, const CsgCall& call, std::initializer_list<const char*> names);

  // The value given for name, or null.
  const CsgValue* find(const char* name) const;

  double number(const char* name, double fallback) const;
  bool flag(const char* name, bool fallback) const;
  // A number n as (n, n, n), or a vector of two or three numbers, the third
  // defaulting to missingZ.
  Vec3 vector(const char* name, Vec3 fallback, double missingZ, bool numberAllowed) const;
  // Three rows of four numbers, or four with the last 0 0 0 1.
  Affine matrix(const char* name) const;
  // $fn, $fa and $fs given here, over those inherited.
  Resolution resolution(Resolution inherited) const;

  double numberOf(const CsgValue& value, const std::string& what) const;
  [[noreturn]] void fail(TextPlace place, const std::string& message) const;

 private:
  const std::string& file_;
  const CsgCall& call_;
  std::vector<const char*> names_;
};

#endif
