// The one failure path of the core: a broken limit (an 8-bit count pushed
// past 255, a vertex count that does not fit its field) cannot be reported to
// a caller that has no error path, and carrying on would corrupt memory or
// free a polygon that is still held. So it ends the program, saying why.
#ifndef KELVANE_POLYGON_FATAL_H
#define KELVANE_POLYGON_FATAL_H

// Writes "kelvane: <message>" to stderr and aborts.
[[noreturn]] void fatal(const char* message);

#endif
