// A recursive-descent parser for the flattened CSG format, one small
// function per rule of its grammar:
//
//   file       = { statement } ;
//   statement  = ";" | [ modifier ] call ( ";" | statement | "{" { statement } "}" ) ;
//   call       = name "(" [ argument { "," argument } [ "," ] ] ")" ;
//   argument   = [ name "=" ] value ;
//   value      = [ "-" | "+" ] number | string | "true" | "false" | "undef"
//              | "[" [ value { "," value } [ "," ] ] "]" ;
//
// That is all a CSG export holds. The rest of the scripting language (modules,
// functions, variables, expressions, loops, conditionals, include and use)
// is refused where it starts, naming the construct.
#ifndef KELVANE_MODEL_CSG_PARSER_H
#define KELVANE_MODEL_CSG_PARSER_H

#include <string>
#include <string_view>

#include "model/csg_syntax.h"

// Parses text; file names it in messages. Throws SceneError at the first
// fault, and at nesting deeper than kMaxNesting.
CsgFile parseCsg(const std::string& file, std::string_view text);

#endif
