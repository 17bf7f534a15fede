// Scalar square root on the x87 unit, for the set-up code of the rejection methods.
#include "zaforq/orq_dist.h"

extern "C" ZAFORQ_API double __orqdSqrt(double x) {
  double r;
  __asm__("fsqrt" : "=t"(r) : "0"(x));
  return r;
}
