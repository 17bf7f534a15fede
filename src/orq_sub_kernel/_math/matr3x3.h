// 3x3 matrices modulo m for the skip-ahead of the order-3 recurrences (MRG32k3a). Matrices are
// nine uint32 in row-major order; every product is formed in 64 bits and reduced modulo m,
// and a sum of reduced terms is kept below m by one conditional subtraction per addition.
#pragma once
#include <stdint.h>

#include "zaforq/orq_streams.h"

extern "C" {
// R = A B mod m; R may be A or B.
void __orqiMatr3x3MulMod(const uint32_t* A, const uint32_t* B, uint32_t* R, uint32_t m);
// w = A v mod m; w may be v.
void __orqiMatr3x3VectMulMod(const uint32_t* A, const uint32_t* v, uint32_t* w, uint32_t m);
// P = A^e mod m by right-to-left binary powering; A is overwritten by its squares. A negative
// exponent leaves P the identity.
void __orqiMatr3x3PowMod(uint32_t* A, uint32_t* P, uint32_t m, int32_t e);
}
