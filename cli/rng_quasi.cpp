// zaforq demo quasi: the first 256 two-dimensional Sobol points beside 256 pseudo-random
// points, counted in a 16 x 16 grid of the unit square, and an abstract stream fed by a
// callback.
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "zaforq.h"

namespace {

constexpr int kGrid = 16, kPoints = kGrid * kGrid;

// Counts of points per grid cell, row 0 at the top (y near 1).
void count_cells(const double* xy, int (*cells)[kGrid]) {
  std::memset(cells, 0, sizeof(int) * kGrid * kGrid);
  for (int i = 0; i < kPoints; ++i) {
    const int cx = static_cast<int>(xy[2 * i] * kGrid), cy = static_cast<int>(xy[2 * i + 1] * kGrid);
    ++cells[kGrid - 1 - cy][cx];
  }
}

int empty_cells(const int (*cells)[kGrid]) {
  int e = 0;
  for (int r = 0; r < kGrid; ++r)
    for (int c = 0; c < kGrid; ++c) e += cells[r][c] == 0;
  return e;
}

uint32_t demo_counter = 0;
int32_t counting_refill(OrqStream, int32_t* size, uint32_t* buffer, int32_t* wanted, int32_t*, int32_t* start) {
  for (int32_t i = 0; i < *wanted; ++i) buffer[(*start + i) % *size] = 1000 + demo_counter++;
  return *wanted;
}

void demo_quasi() {
  std::printf("== Quasi-random sequences ==\n");
  double sobol[2 * kPoints], mt[2 * kPoints];
  OrqStream q = nullptr, r = nullptr;
  const uint32_t dim = 2, seed = 7;
  __orqNewStreamEx(&q, ORQ_BRNG_SOBOL, 1, &dim);
  __orqNewStreamEx(&r, ORQ_BRNG_MT19937, 1, &seed);
  _orqdRngUniform(0, q, 2 * kPoints, sobol, 0.0, 1.0);
  _orqdRngUniform(0, r, 2 * kPoints, mt, 0.0, 1.0);
  int cs[kGrid][kGrid], cr[kGrid][kGrid];
  count_cells(sobol, cs);
  count_cells(mt, cr);
  std::printf("256 points in the unit square, counted per cell of a 16 x 16 grid ('.' = empty)\n\n");
  std::printf("  %-34s    %s\n", "Sobol, first 256 points", "MT19937, 256 points (x, y pairs)");
  for (int row = 0; row < kGrid; ++row) {
    std::printf("  ");
    for (int c = 0; c < kGrid; ++c) std::printf(cs[row][c] ? "%2d" : " .", cs[row][c]);
    std::printf("      ");
    for (int c = 0; c < kGrid; ++c) std::printf(cr[row][c] ? "%2d" : " .", cr[row][c]);
    std::printf("\n");
  }
  std::printf("\nempty cells: Sobol %d, MT19937 %d (about 256 / e = 94 expected for random points)\n",
              empty_cells(cs), empty_cells(cr));
  std::printf("points 0..255 of the Sobol sequence fill every cell once; the stream starts at point 1\n"
              "(point 0 is the origin, never delivered), so point 256 shares a cell and the corner is empty\n");

  // Leapfrog to one coordinate and skip-ahead in coordinates.
  OrqStream y = nullptr;
  __orqCopyStream(&y, q);
  __orqLeapfrogStream(y, 1, 0x7FFFFFFF);
  double ys[4];
  _orqdRngUniform(0, y, 4, ys, 0.0, 1.0);
  std::printf("after point 256, leapfrog to coordinate 1 gives y of points 257..260: %g %g %g %g\n", ys[0], ys[1],
              ys[2], ys[3]);
  __orqDeleteStream(&y);

  // An abstract stream: numbers from the caller's ring buffer, refilled by a callback.
  uint32_t ring[5];
  OrqStream a = nullptr;
  __orqiNewAbstractStream(&a, 5, ring, counting_refill);
  uint32_t w[8];
  int32_t st = _orqiRngUniformBits(0, a, 8, w);
  std::printf("integer abstract stream over a 5-slot ring, 8 numbers (status %d): ", st);
  for (uint32_t v : w) std::printf("%u ", v);
  std::printf("\n");
  double d;
  std::printf("the double entry on it answers %d (wrong kind)\n", _orqdRngUniform(0, a, 1, &d, 0.0, 1.0));
  __orqDeleteStream(&a);
  __orqDeleteStream(&q);
  __orqDeleteStream(&r);
}

const RegisterDemo quasi_section({41, "quasi", "Sobol points beside pseudo-random points; abstract streams",
                                  demo_quasi});

}  // namespace
