#include "model/csg_parser.h"

#include <utility>

#include "model/csg_lexer.h"
#include "model/limits.h"

namespace {

// Words that start a construct of the scripting language outside the
// flattened format, with what to call it in the refusal.
struct Refused {
  const char* word;
  const char* what;
};
constexpr Refused kRefusedWords[] = {
    {"module", "modules"},
    {"function", "functions"},
    {"for", "loops ('for')"},
    {"intersection_for", "loops ('intersection_for')"},
    {"if", "conditionals ('if')"},
    {"else", "conditionals ('else')"},
    {"let", "'let'"},
    {"assign", "'assign'"},
    {"each", "'each'"},
    {"include", "'include'"},
    {"use", "'use'"},
    {"echo", "'echo'"},
    {"assert", "'assert'"},
};

class Parser {
 public:
  Parser(const std::string& file, std::string_view text) : lexer_(file, text) { token_ = lexer_.next(); }

  CsgFile parseFile() {
    CsgFile result;
    result.name = lexer_.file();
    while (token_.kind != CsgToken::Kind::End) parseStatement(result.statements, 0);
    return result;
  }

 private:
  bool at(const char* punctuation) const {
    return token_.kind == CsgToken::Kind::Punctuation && token_.text == punctuation;
  }

  void take() { token_ = lexer_.next(); }

  void expect(const char* punctuation, const char* where) {
    if (!at(punctuation))
      fail(token_.place, std::string("expected '") + punctuation + "' " + where + ", found " + shown());
    take();
  }

  [[noreturn]] void fail(TextPlace place, const std::string& message) const {
    throw SceneError(lexer_.file(), place, message);
  }

  std::string shown() const {
    switch (token_.kind) {
      case CsgToken::Kind::End:
        return "the end of the file";
      case CsgToken::Kind::String:
        return "a string";
      case CsgToken::Kind::Number:
        return "'" + token_.text + "'";
      default:
        return "'" + token_.text + "'";
    }
  }

  void checkDepth(int depth, TextPlace place) const {
    if (depth >= kMaxNesting) fail(place, "nesting deeper than " + std::to_string(kMaxNesting) + " levels");
  }

  void refuseScripting() const {
    if (token_.kind != CsgToken::Kind::Name) return;
    for (const Refused& r : kRefusedWords) {
      if (token_.text == r.word) fail(token_.place, std::string(r.what) + " are not supported in a CSG scene");
    }
  }

  void parseStatement(std::vector<CsgCall>& into, int depth) {
    checkDepth(depth, token_.place);
    if (at(";")) return take();
    CsgCall call;
    call.place = token_.place;
    if (at("#") || at("%") || at("*") || at("!")) {
      if (at("!")) fail(token_.place, "the root modifier '!' is not supported");
      call.modifier = token_.text[0];
      take();
    }
    refuseScripting();
    if (token_.kind != CsgToken::Kind::Name) fail(token_.place, "expected an object or operation, found " + shown());
    call.name = token_.text;
    take();
    if (at("=")) fail(call.place, "variables are not supported in a CSG scene (assignment to '" + call.name + "')");
    parseArguments(call, depth);
    parseChildren(call, depth);
    into.push_back(std::move(call));
  }

  void parseArguments(CsgCall& call, int depth) {
    expect("(", ("after '" + call.name + "'").c_str());
    while (!at(")")) {
      parseArgument(call, depth);
      if (!at(")")) expect(",", "between arguments");
    }
    take();
  }

  void parseArgument(CsgCall& call, int depth) {
    CsgArgument argument;
    argument.place = token_.place;
    if (token_.kind == CsgToken::Kind::Name && !isLiteralName()) {
      argument.name = token_.text;
      take();
      if (!at("=")) fail(argument.place, "variables are not supported in a CSG scene ('" + argument.name + "')");
      take();
    }
    argument.value = parseValue(depth + 1);
    call.arguments.push_back(std::move(argument));
  }

  bool isLiteralName() const { return token_.text == "true" || token_.text == "false" || token_.text == "undef"; }

  CsgValue parseValue(int depth) {
    checkDepth(depth, token_.place);
    CsgValue value;
    value.place = token_.place;
    if (at("[")) return parseVector(std::move(value), depth);
    refuseNonFinite();
    if (at("-") || at("+")) {
      const bool negative = at("-");
      take();
      refuseNonFinite();
      if (token_.kind != CsgToken::Kind::Number) refuseExpression();
      value.kind = CsgValue::Kind::Number;
      value.number = negative ? -token_.number : token_.number;
    } else if (token_.kind == CsgToken::Kind::Number) {
      value.kind = CsgValue::Kind::Number;
      value.number = token_.number;
    } else if (token_.kind == CsgToken::Kind::String) {
      value.kind = CsgValue::Kind::String;
      value.text = token_.text;
    } else if (token_.kind == CsgToken::Kind::Name && isLiteralName()) {
      value.kind = token_.text == "undef" ? CsgValue::Kind::Undef : CsgValue::Kind::Boolean;
      value.boolean = token_.text == "true";
    } else if (token_.kind == CsgToken::Kind::Name) {
      fail(token_.place, "variables and function calls are not supported in a CSG scene ('" + token_.text + "')");
    } else {
      fail(token_.place, "expected a value, found " + shown());
    }
    take();
    if (!at(",") && !at(")") && !at("]")) refuseExpression();
    return value;
  }

  CsgValue parseVector(CsgValue value, int depth) {
    value.kind = CsgValue::Kind::Vector;
    take();
    while (!at("]")) {
      value.items.push_back(parseValue(depth + 1));
      if (!at("]")) expect(",", "between the items of a vector");
    }
    take();
    if (!at(",") && !at(")") && !at("]")) refuseExpression();
    return value;
  }

  // What OpenSCAD writes for an infinite or undefined number.
  void refuseNonFinite() const {
    if (token_.kind == CsgToken::Kind::Name && (token_.text == "nan" || token_.text == "inf")) {
      fail(token_.place, "'" + token_.text + "': numbers must be finite");
    }
  }

  [[noreturn]] void refuseExpression() const {
    if (token_.kind == CsgToken::Kind::End) fail(token_.place, "the file ends inside an argument list");
    fail(token_.place,
         "expressions are not supported in a CSG scene: a value is a number, true, false, undef, "
         "a string or a [vector] (found " +
             shown() + ")");
  }

  void parseChildren(CsgCall& call, int depth) {
    if (at(";")) return take();
    if (!at("{")) return parseStatement(call.children, depth + 1);
    const TextPlace open = token_.place;
    take();
    while (!at("}")) {
      if (token_.kind == CsgToken::Kind::End) fail(open, "'{' is not closed");
      parseStatement(call.children, depth + 1);
    }
    take();
  }

  CsgLexer lexer_;
  CsgToken token_;
};

}  // namespace

CsgFile parseCsg(const std::string& file, std::string_view text) { return Parser(file, text).parseFile(); }
