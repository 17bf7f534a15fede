// The Niederreiter polynomial tables, written by tools/niederr_poly/gen.py.
#include "zaforq/orq_quasi.h"

#include "orq_sub_kernel/niederr/niederr_poly.inc"
