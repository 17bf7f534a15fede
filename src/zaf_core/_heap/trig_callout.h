// The per-element callouts of the trigonometric kernels, by value: a kernel may run in place,
// so it hands over the argument it staged and the element's index, and the callout writes the
// result, then reports ±inf (ERRDOM) under the name it is given.
#pragma once
#include <stdint.h>

namespace zaforq::trig {

enum class Fn { sin, cos, tan };

void callout(Fn f, double x, double* r, int32_t index, const char* name);
void callout(Fn f, float x, float* r, int32_t index, const char* name);
void callout_sincos(double x, double* r1, double* r2, int32_t index, const char* name);
void callout_sincos(float x, float* r1, float* r2, int32_t index, const char* name);

}  // namespace zaforq::trig
