#include "model/csg_arguments.h"

#include <cmath>
#include <cstring>

namespace {

constexpr const char* kSpecialVariables[] = {"$fn", "$fa", "$fs"};
// OpenSCAD raises $fa and $fs to this before use.
constexpr double kMinimumFaFs = 0.01;

}  // namespace

CsgArguments::CsgArguments(const std::string& file, const CsgCall& call, std::initializer_list<const char*> names)
    : file_(file), call_(call), names_(names) {
  std::size_t positional = 0;
  for (const CsgArgument& argument : call.arguments) {
    if (argument.name.empty()) {
      if (positional++ >= names.size())
        fail(argument.place, call.name + " takes at most " + std::to_string(names.size()) + " positional arguments");
      continue;
    }
    bool known = false;
    for (const char* name : names) known = known || argument.name == name;
    for (const char* name : kSpecialVariables) known = known || argument.name == name;
    if (!known) fail(argument.place, call.name + " takes no argument '" + argument.name + "'");
  }
}

void CsgArguments::fail(TextPlace place, const std::string& message) const { throw SceneError(file_, place, message); }

const CsgValue* CsgArguments::find(const char* name) const {
  for (const CsgArgument& argument : call_.arguments) {
    if (argument.name == name) return &argument.value;
  }
  std::size_t position = 0;
  for (const char* known : names_) {
    if (std::strcmp(known, name) == 0) break;
    ++position;
  }
  for (const CsgArgument& argument : call_.arguments) {
    if (!argument.name.empty()) continue;
    if (position-- == 0) return &argument.value;
  }
  return nullptr;
}

double CsgArguments::numberOf(const CsgValue& value, const std::string& what) const {
  if (value.kind != CsgValue::Kind::Number) fail(value.place, call_.name + ": " + what + " must be a number");
  return value.number;
}

double CsgArguments::number(const char* name, double fallback) const {
  const CsgValue* value = find(name);
  if (value == nullptr || value->kind == CsgValue::Kind::Undef) return fallback;
  return numberOf(*value, std::string("'") + name + "'");
}

bool CsgArguments::flag(const char* name, bool fallback) const {
  const CsgValue* value = find(name);
  if (value == nullptr || value->kind == CsgValue::Kind::Undef) return fallback;
  if (value->kind == CsgValue::Kind::Boolean) return value->boolean;
  if (value->kind == CsgValue::Kind::Number) return value->number != 0.0;
  fail(value->place, call_.name + ": '" + name + "' must be true or false");
}

Vec3 CsgArguments::vector(const char* name, Vec3 fallback, double missingZ, bool numberAllowed) const {
  const CsgValue* value = find(name);
  if (value == nullptr || value->kind == CsgValue::Kind::Undef) return fallback;
  const std::string what = std::string("'") + name + "'";
  if (numberAllowed && value->kind == CsgValue::Kind::Number) {
    return {value->number, value->number, value->number};
  }
  if (value->kind != CsgValue::Kind::Vector || value->items.size() < 2 || value->items.size() > 3) {
    fail(value->place,
         call_.name + ": " + what + " must be a vector of 2 or 3 numbers" + (numberAllowed ? " or a number" : ""));
  }
  const double z = value->items.size() == 3 ? numberOf(value->items[2], what + "'s z") : missingZ;
  return {numberOf(value->items[0], what + "'s x"), numberOf(value->items[1], what + "'s y"), z};
}

Affine CsgArguments::matrix(const char* name) const {
  const CsgValue* value = find(name);
  Affine result;
  if (value == nullptr) return result;
  if (value->kind != CsgValue::Kind::Vector || value->items.size() < 3 || value->items.size() > 4) {
    fail(value->place, call_.name + ": '" + name + "' must be a matrix of 3 or 4 rows of 4 numbers");
  }
  for (std::size_t i = 0; i < value->items.size(); ++i) {
    const CsgValue& row = value->items[i];
    if (row.kind != CsgValue::Kind::Vector || row.items.size() != 4) {
      fail(row.place, call_.name + ": row " + std::to_string(i + 1) + " must hold 4 numbers");
    }
    for (std::size_t j = 0; j < 4; ++j) {
      const double x = numberOf(row.items[j], "every entry");
      if (i < 3) {
        result.m[i][j] = x;
      } else if (x != (j == 3 ? 1.0 : 0.0)) {
        fail(row.items[j].place, call_.name + ": the last row must be [0, 0, 0, 1] (no projective transforms)");
      }
    }
  }
  return result;
}

Resolution CsgArguments::resolution(Resolution inherited) const {
  for (const CsgArgument& argument : call_.arguments) {
    if (argument.name == "$fn") inherited.fn = numberOf(argument.value, "$fn");
    if (argument.name == "$fa") inherited.fa = std::fmax(numberOf(argument.value, "$fa"), kMinimumFaFs);
    if (argument.name == "$fs") inherited.fs = std::fmax(numberOf(argument.value, "$fs"), kMinimumFaFs);
  }
  return inherited;
}
