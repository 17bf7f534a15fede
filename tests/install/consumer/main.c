/* A program outside the source tree, built against an installed zaforq. */
#include <stdio.h>

#include "zaforq.h"

int main(void) {
  const double a[3] = {0.0, 1.0, 4.0};
  double r[3];
  double u[4];
  OrqStream stream = 0;
  _zafdSqrt_HA(3, a, r);
  if (r[0] != 0.0 || r[1] != 1.0 || r[2] != 2.0) return 1;
  if (__orqNewStreamEx(&stream, ORQ_BRNG_MT19937, 1, (const uint32_t[]){5489u}) != 0) return 2;
  if (_orqdRngUniform(0, stream, 4, u, 0.0, 1.0) != 0) return 3;
  __orqDeleteStream(&stream);
  for (int i = 0; i < 4; ++i)
    if (!(u[i] >= 0.0 && u[i] < 1.0)) return 4;
  printf("installed zaforq: sqrt(4) = %g, u0 = %.6f\n", r[2], u[0]);
  return 0;
}
